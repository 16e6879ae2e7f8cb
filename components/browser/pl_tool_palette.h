#pragma once

#include "components/interfaces/tool_palette.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "platform/ui/hosted_control.h"

#include <QPointer>

namespace browser {
class ToolPaletteWindow;
}

// The button bar above the file browser. It holds the current tool (an edit tool to start with;
// the hidden "Add Photo" and "Edit" commands replace it), drives the file browser with "Go Up a
// Folder" and "Browse for Folder", and turns the requests of tools and of the browser into events
// for the host.
//
// Thread: the user-interface thread. Events reach the host synchronously, before the call that
// fired them returns.
class PLToolPalette final
    : public com::Implements<PLToolPalette, IToolPalette, com::EventSource<_IToolPaletteEvents>, ui::IHostedControl> {
public:
    static constexpr int kBrowseCommand = 201;
    static constexpr int kAddPhotoCommand = 202;
    static constexpr int kEditCommand = 203;
    static constexpr int kGoUpCommand = 204;

    PLToolPalette();

    // Null, with S_OK, when no tool could be made.
    com::HRESULT GetCurrentTool(IBaseTool** pVal) noexcept override;
    com::HRESULT SetTableControl(ITableControl* inTableControl) noexcept override;
    com::HRESULT StartSlideShow() noexcept override;
    com::HRESULT OpenMap(com::BSTR* inFileName) noexcept override;
    com::HRESULT GetTableControl(ITableControl** outTableControl) noexcept override;
    com::HRESULT FileSelected(com::BSTR* inFileName) noexcept override;
    com::HRESULT EnableUpBtn(com::LONG inEnable) noexcept override;
    com::HRESULT GetBestSize(com::LONG* outBestX, com::LONG* outBestY) noexcept override;
    com::HRESULT Browse() noexcept override;
    com::HRESULT UseAsMapPicture(com::BSTR* inFileName) noexcept override;

    com::HRESULT CreateControlWindow(QWidget* host) noexcept override;
    QWidget* ControlWindow() noexcept override;

    // A click on the button of that command id.
    void onCommand(int command);

private:
    ~PLToolPalette() override;

    // The edit tool gets the palette (through a link that does not keep it alive); the photo tool
    // needs none.
    void replaceTool(const com::CLSID& toolClass, bool givePalette);

    com::ComPtr<IBaseTool> currentTool_;
    com::ComPtr<ITableControl> tableControl_;
    QPointer<browser::ToolPaletteWindow> window_;
};
