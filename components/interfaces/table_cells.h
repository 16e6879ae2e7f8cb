#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/table_cell.h"
#include "platform/com/dispatch_table.h"

#include <cstdint>

// The cell collection of the file browser's grid, in display order. Every operation answers S_OK.
struct ITableCells : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ITableCells;
    using Base = com::IDispatch;
    // The count truncated to 16 bits.
    virtual com::HRESULT GetNumCells(std::uint16_t* outNumCells) noexcept = 0;
    virtual com::HRESULT AddCell(ITableCell* inNewCell) noexcept = 0;
    // The first visible position, in quarter steps; does not repaint.
    virtual com::HRESULT SetScrollPosition(com::LONG inScrollPosition) noexcept = 0;
    virtual com::HRESULT ClearCells() noexcept = 0;
    virtual com::HRESULT SetTableControl(com::IUnknown* inTableControl) noexcept = 0;
    // Resets the grid after a refill.
    virtual com::HRESULT CellFactoryChanged() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ITableCells*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ITableCells::GetNumCells, com::kRetval>(1, u"GetNumCells"),
        com::Method<&ITableCells::AddCell>(2, u"AddCell"),
        com::Method<&ITableCells::SetScrollPosition>(3, u"SetScrollPosition"),
        com::Method<&ITableCells::ClearCells>(4, u"ClearCells"),
        com::Method<&ITableCells::SetTableControl>(5, u"SetTableControl"),
        com::Method<&ITableCells::CellFactoryChanged>(6, u"CellFactoryChanged"),
    };
    return members;
}
