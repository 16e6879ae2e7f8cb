#pragma once

#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"

// An undoable edit. Undo takes it back, Redo does it again; both make their own change
// notifications through the document.
struct IUndoAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Undo() noexcept = 0;
    virtual com::HRESULT Redo() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoAction::Undo>(1, u"Undo"),
        com::Method<&IUndoAction::Redo>(2, u"Redo"),
    };
    return members;
}

// Marks the two ends of a group of actions that undo and redo as one user step.
struct IMultiUndoTagAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IMultiUndoTagAction;
    using Base = com::IDispatch;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IMultiUndoTagAction*)
{
    return {};
}
