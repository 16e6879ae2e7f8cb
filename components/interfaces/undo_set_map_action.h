#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records the map picture given to a document that had none: Undo sets an empty map file (empty,
// not absent), Redo sets the name again.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before. The document is held weakly: the action never keeps it alive, and once it is
// gone Undo and Redo do nothing.
struct IUndoSetMapAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoSetMapAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IDocument* inDocument, com::BSTR* inMapName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoSetMapAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoSetMapAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
