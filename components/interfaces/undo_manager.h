#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// The history of one document's edits: an undo stack and a redo stack of IUndoAction. Actions
// between two IMultiUndoTagAction markers undo and redo as one step. Undo and Redo ignore what the
// actions answer and return S_OK; AddUndoAction ends the redo history. RedoAvailable's parameter is
// an output although the type library marks it [in]: through Invoke it is passed by reference.
struct IUndoManager : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoManager;
    using Base = com::IDispatch;
    virtual com::HRESULT SetDocument(com::IUnknown* inDocUnknownPtr) noexcept = 0;
    virtual com::HRESULT Undo() noexcept = 0;
    virtual com::HRESULT Redo() noexcept = 0;
    virtual com::HRESULT UndoAvailable(com::VARIANT_BOOL* outAvailable) noexcept = 0;
    virtual com::HRESULT RedoAvailable(com::VARIANT_BOOL* outAvailable) noexcept = 0;
    virtual com::HRESULT ClearUndoStack() noexcept = 0;
    virtual com::HRESULT ClearRedoStack() noexcept = 0;
    virtual com::HRESULT ResetUndoState() noexcept = 0;
    // E_POINTER for a null action.
    virtual com::HRESULT AddUndoAction(IUndoAction* inUndoAction) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoManager*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoManager::SetDocument>(1, u"SetDocument"),
        com::Method<&IUndoManager::Undo>(2, u"Undo"),
        com::Method<&IUndoManager::Redo>(3, u"Redo"),
        com::Method<&IUndoManager::UndoAvailable, com::kRetval>(4, u"UndoAvailable"),
        com::Method<&IUndoManager::RedoAvailable>(5, u"RedoAvailable"),
        com::Method<&IUndoManager::ClearUndoStack>(6, u"ClearUndoStack"),
        com::Method<&IUndoManager::ClearRedoStack>(7, u"ClearRedoStack"),
        com::Method<&IUndoManager::ResetUndoState>(8, u"ResetUndoState"),
        com::Method<&IUndoManager::AddUndoAction>(9, u"AddUndoAction"),
    };
    return members;
}
