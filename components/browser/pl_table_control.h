#pragma once

#include "components/interfaces/table_control.h"
#include "components/interfaces/tool_palette.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"
#include "platform/ui/hosted_control.h"

#include <QPointer>
#include <optional>

class QLabel;
class QWidget;

namespace browser {
class FolderWatch;
}

// The file browser: the current folder's name in a label above the grid of its cells. It opens the
// folder of the last run (else the tutorial pictures, the user's pictures, "/"), stores every folder
// it shows as "LastDirectory", goes up a folder (the documents folder's parent is the desktop, where
// it is listed) and tells the tool palette whether going up is possible.
//
// Thread: the user-interface thread. The grid and the palette reach back into the control while
// it installs a folder. The folder shown is watched: files saved, added or removed there appear
// without leaving it.
class PLTableControl final : public com::Implements<PLTableControl, ITableControl, ui::IHostedControl> {
public:
    PLTableControl() = default;

    com::HRESULT SetCellFactory(ICellFactory* inCellFactory) noexcept override;
    com::HRESULT GetTableCells(ITableCells** outTableCells) noexcept override;
    com::HRESULT OnFileSelected(com::BSTR* inFileName) noexcept override;
    // Held weakly: the palette holds the control.
    com::HRESULT SetToolPalette(com::IUnknown* inToolPalettePtr) noexcept override;
    com::HRESULT GetDirectory(com::BSTR* outDirectory) noexcept override;
    com::HRESULT GoUp() noexcept override;
    com::HRESULT Browse() noexcept override;

    // Also makes the grid and opens the first folder.
    com::HRESULT CreateControlWindow(QWidget* host) noexcept override;
    QWidget* ControlWindow() noexcept override;

private:
    ~PLTableControl() override;

    // S_OK when the folder could be read and is now shown.
    com::HRESULT openFolder(const QString& folder);
    void openInitialFolder();
    void enableUpButton();
    // The folder shown read again, after it changed on disk.
    void refreshFolder();

    std::optional<QString> directory_;
    com::ComPtr<com::IUnknown> gridControl_;
    com::ComPtr<ITableCells> grid_;
    com::WeakPtr<IToolPalette> toolPalette_;
    QPointer<QWidget> window_;
    QLabel* label_ = nullptr;
    QPointer<browser::FolderWatch> folderWatch_;  // a child of the window
};
