#pragma once

#include "components/interfaces/table_cell.h"
#include "platform/com/implements.h"

// The plain cell: registered, and empty. Every operation answers S_OK and writes nothing.
//
// Thread: any.
class PLTableCell final : public com::Implements<PLTableCell, ITableCell> {
public:
    com::HRESULT DrawCell(ui::HDC hdc, tagRECT* rect) noexcept override;
    com::HRESULT SetSelected(com::VARIANT_BOOL inSelected) noexcept override;
    com::HRESULT GetSelected(com::VARIANT_BOOL* outSelected) noexcept override;
    com::HRESULT GetFileName(com::BSTR* oFileName) noexcept override;
    com::HRESULT GetIsDirectory(com::VARIANT_BOOL* outIsDirectory) noexcept override;
    com::HRESULT SetIsDirectory(com::VARIANT_BOOL inIsDirectory) noexcept override;
    com::HRESULT GetFileType(com::LONG* outType) noexcept override;

private:
    ~PLTableCell() override = default;
};
