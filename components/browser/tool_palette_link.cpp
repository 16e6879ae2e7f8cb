#include "components/browser/tool_palette_link.h"

com::HRESULT ToolPaletteLink::GetCurrentTool(IBaseTool** pVal) noexcept
{
    if (const auto palette = palette_.lock()) return palette->GetCurrentTool(pVal);
    if (pVal) *pVal = nullptr;
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::SetTableControl(ITableControl* inTableControl) noexcept
{
    if (const auto palette = palette_.lock()) return palette->SetTableControl(inTableControl);
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::StartSlideShow() noexcept
{
    if (const auto palette = palette_.lock()) return palette->StartSlideShow();
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::OpenMap(com::BSTR* inFileName) noexcept
{
    if (const auto palette = palette_.lock()) return palette->OpenMap(inFileName);
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::GetTableControl(ITableControl** outTableControl) noexcept
{
    if (const auto palette = palette_.lock()) return palette->GetTableControl(outTableControl);
    if (outTableControl) *outTableControl = nullptr;
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::FileSelected(com::BSTR* inFileName) noexcept
{
    if (const auto palette = palette_.lock()) return palette->FileSelected(inFileName);
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::EnableUpBtn(com::LONG inEnable) noexcept
{
    if (const auto palette = palette_.lock()) return palette->EnableUpBtn(inEnable);
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::GetBestSize(com::LONG* outBestX, com::LONG* outBestY) noexcept
{
    if (const auto palette = palette_.lock()) return palette->GetBestSize(outBestX, outBestY);
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::Browse() noexcept
{
    if (const auto palette = palette_.lock()) return palette->Browse();
    return com::S_OK;
}

com::HRESULT ToolPaletteLink::UseAsMapPicture(com::BSTR* inFileName) noexcept
{
    if (const auto palette = palette_.lock()) return palette->UseAsMapPicture(inFileName);
    return com::S_OK;
}
