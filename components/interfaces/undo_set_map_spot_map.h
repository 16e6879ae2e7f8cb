#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a map spot's link replaced: Undo sets the old linked map, Redo the new one.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before.
struct IUndoSetMapSpotMap : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoSetMapSpotMap;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IMapSpot* inMapSpot,
                                    com::BSTR* inOldMapFileName,
                                    com::BSTR* inNewMapFileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoSetMapSpotMap*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoSetMapSpotMap::Initialize>(1, u"Initialize"),
    };
    return members;
}
