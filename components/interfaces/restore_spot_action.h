#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a spot removed from its document: Initialize takes the spot, its index before the removal
// and the document. Undo puts the same spot back at that index and announces it; Redo removes it again.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before. The document is held weakly: the action never keeps it alive, and once it is
// gone Undo and Redo do nothing.
struct IRestoreSpotAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IRestoreSpotAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IBaseSpot* inSpot, com::LONG inIndex, IDocument* inDocument) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IRestoreSpotAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IRestoreSpotAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
