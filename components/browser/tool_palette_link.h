#pragma once

#include "components/interfaces/tool_palette.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"

// What the palette hands its edit tools in its place. A tool keeps the palette it is given, and the
// palette keeps its tool: handing over the palette itself would make a cycle that neither could
// break. The link holds the palette weakly and passes every call on while it lives; afterwards the
// calls answer S_OK and do nothing.
//
// Thread: the user-interface thread.
class ToolPaletteLink final : public com::Implements<ToolPaletteLink, IToolPalette> {
public:
    explicit ToolPaletteLink(com::IUnknown* palette) : palette_(palette) {}

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

private:
    ~ToolPaletteLink() override = default;

    com::WeakPtr<IToolPalette> palette_;
};
