#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a spot created and added: Undo removes it from the document; Redo appends it again and
// announces it as created.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before. The document is held weakly: the action never keeps it alive, and once it is
// gone Undo and Redo do nothing.
struct IUndoCreateAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoCreateAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IDocument* inDocument, IBaseSpot* inSpot) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoCreateAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoCreateAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
