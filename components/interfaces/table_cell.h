#pragma once

#include "components/interfaces/file_type.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"
#include "platform/ui/device_context.h"

// One entry of the file browser's grid: a file or folder that draws itself into a cell.
struct ITableCell : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ITableCell;
    using Base = com::IDispatch;
    // S_FALSE when nothing could be drawn.
    virtual com::HRESULT DrawCell(ui::HDC hdc, tagRECT* rect) noexcept = 0;
    virtual com::HRESULT SetSelected(com::VARIANT_BOOL inSelected) noexcept = 0;
    virtual com::HRESULT GetSelected(com::VARIANT_BOOL* outSelected) noexcept = 0;
    // Null when there is none; a null out-pointer is ignored.
    virtual com::HRESULT GetFileName(com::BSTR* oFileName) noexcept = 0;
    virtual com::HRESULT GetIsDirectory(com::VARIANT_BOOL* outIsDirectory) noexcept = 0;
    virtual com::HRESULT SetIsDirectory(com::VARIANT_BOOL inIsDirectory) noexcept = 0;
    virtual com::HRESULT GetFileType(com::LONG* outType) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ITableCell*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ITableCell::DrawCell>(1, u"DrawCell"),
        com::Method<&ITableCell::SetSelected>(2, u"SetSelected"),
        com::Method<&ITableCell::GetSelected, com::kRetval>(3, u"GetSelected"),
        com::Method<&ITableCell::GetFileName, com::kRetval>(4, u"GetFileName"),
        com::Method<&ITableCell::GetIsDirectory, com::kRetval>(5, u"GetIsDirectory"),
        com::Method<&ITableCell::SetIsDirectory>(6, u"SetIsDirectory"),
        com::Method<&ITableCell::GetFileType, com::kRetval>(7, u"GetFileType"),
    };
    return members;
}

// A cell of a file: its thumbnail and name.
struct IImageCell : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IImageCell;
    using Base = com::IDispatch;
    // Stores a copy (null clears it) and sets the file type from the name.
    virtual com::HRESULT SetFile(com::BSTR inFileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IImageCell*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IImageCell::SetFile>(1, u"SetFile"),
    };
    return members;
}
