#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/table_cell.h"
#include "platform/com/dispatch_table.h"

// Hands out the cells of a listing one at a time; null after the last.
struct ICellFactory : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ICellFactory;
    using Base = com::IDispatch;
    virtual com::HRESULT NextCell(ITableCell** outCell) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ICellFactory*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ICellFactory::NextCell, com::kRetval>(1, u"NextCell"),
    };
    return members;
}

// The cells of one folder's pictures, maps, sounds and sub-folders.
struct IImageCellFactory : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IImageCellFactory;
    using Base = com::IDispatch;
    virtual com::HRESULT SetDirectory(com::BSTR inDirectory) noexcept = 0;
    virtual com::HRESULT GetDirectory(com::BSTR* outDirectoryName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IImageCellFactory*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IImageCellFactory::SetDirectory>(1, u"SetDirectory"),
        com::Method<&IImageCellFactory::GetDirectory, com::kRetval>(2, u"GetDirectory"),
    };
    return members;
}
