#pragma once

#include "components/interfaces/cell_factory.h"
#include "platform/com/unknown.h"

// Puts the cells of a fresh listing of the folder shown in place of the grid's cells, as the table
// control does when the folder changes on disk. Not one of the published interfaces: unlike a folder
// installed anew, a refresh keeps what the user was doing, so the files that were selected stay
// selected, the anchor and moving end stay on their files, and the scroll position stays (within the
// new range).
inline constexpr com::IID IID_ICellRefresh = com::MakeGuid("{120B5022-AAF0-4AED-8D70-48E6D6DA19A8}");

struct ICellRefresh : com::IUnknown {
    static constexpr const com::IID& kIid = IID_ICellRefresh;
    using Base = com::IUnknown;
    // E_POINTER for a null factory.
    virtual com::HRESULT RefreshCells(ICellFactory* inCellFactory) noexcept = 0;

protected:
    ~ICellRefresh() = default;
};
