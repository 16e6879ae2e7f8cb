#include "components/browser/pl_table_cell.h"

com::HRESULT PLTableCell::DrawCell(ui::HDC, tagRECT*) noexcept
{
    return com::S_OK;
}

com::HRESULT PLTableCell::SetSelected(com::VARIANT_BOOL) noexcept
{
    return com::S_OK;
}

com::HRESULT PLTableCell::GetSelected(com::VARIANT_BOOL*) noexcept
{
    return com::S_OK;
}

com::HRESULT PLTableCell::GetFileName(com::BSTR*) noexcept
{
    return com::S_OK;
}

com::HRESULT PLTableCell::GetIsDirectory(com::VARIANT_BOOL*) noexcept
{
    return com::S_OK;
}

com::HRESULT PLTableCell::SetIsDirectory(com::VARIANT_BOOL) noexcept
{
    return com::S_OK;
}

com::HRESULT PLTableCell::GetFileType(com::LONG*) noexcept
{
    return com::S_OK;
}
