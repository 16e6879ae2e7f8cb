#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a spot moved or resized: Initialize takes the spot and its bounds before the edit. Undo and
// Redo both swap the spot's bounds with the kept ones, so they alternate between the two rectangles.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before.
struct IPositionAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IPositionAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IBaseSpot* inBaseSpot, tagRECT* inBounds) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IPositionAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IPositionAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
