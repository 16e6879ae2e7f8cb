#pragma once

#include "components/interfaces/cell_factory.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/table_cells.h"
#include "platform/com/dispatch_table.h"

// The file browser: the current folder's name above the grid of its cells. Every operation answers
// S_OK.
struct ITableControl : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ITableControl;
    using Base = com::IDispatch;
    // Installs a folder listing: the grid refills from it.
    virtual com::HRESULT SetCellFactory(ICellFactory* inCellFactory) noexcept = 0;
    virtual com::HRESULT GetTableCells(ITableCells** outTableCells) noexcept = 0;
    // Hands the file to the tool palette's FileSelected.
    virtual com::HRESULT OnFileSelected(com::BSTR* inFileName) noexcept = 0;
    virtual com::HRESULT SetToolPalette(com::IUnknown* inToolPalettePtr) noexcept = 0;
    // Writes a copy of the current folder (null when none) through the pointer.
    virtual com::HRESULT GetDirectory(com::BSTR* outDirectory) noexcept = 0;
    virtual com::HRESULT GoUp() noexcept = 0;
    // Asks the tool palette to run its folder dialog.
    virtual com::HRESULT Browse() noexcept = 0;
    // Reads the folder shown again, for what was added, removed or changed in it since, as when
    // the folder is seen to change; the selection stays on the files it was on.
    virtual com::HRESULT Refresh() noexcept = 0;
    // Hands the picture to the tool palette's UseAsMapPicture.
    virtual com::HRESULT OnUseAsMapPicture(com::BSTR* inFileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ITableControl*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ITableControl::SetCellFactory>(1, u"SetCellFactory"),
        com::Method<&ITableControl::GetTableCells, com::kRetval>(2, u"GetTableCells"),
        com::Method<&ITableControl::OnFileSelected>(3, u"OnFileSelected"),
        com::Method<&ITableControl::SetToolPalette>(4, u"SetToolPalette"),
        com::Method<&ITableControl::GetDirectory>(5, u"GetDirectory"),
        com::Method<&ITableControl::GoUp>(6, u"GoUp"),
        com::Method<&ITableControl::Browse>(7, u"Browse"),
        com::Method<&ITableControl::Refresh>(8, u"Refresh"),
        com::Method<&ITableControl::OnUseAsMapPicture>(9, u"OnUseAsMapPicture"),
    };
    return members;
}
