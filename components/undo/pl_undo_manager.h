#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/undo_manager.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"

#include <deque>

// Two stacks of actions; a group is stored as opening marker, actions, closing marker, and moves
// between the stacks as one step. The manager holds its actions (and through them their spots) but
// only a weak reference on its document, which owns it. Thread: the user-interface thread that
// created it; actions are called synchronously and their notifications reach the listeners before
// Undo or Redo returns.
class PLUndoManager final : public com::Implements<PLUndoManager, IUndoManager> {
public:
    com::HRESULT SetDocument(com::IUnknown* inDocUnknownPtr) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;
    com::HRESULT UndoAvailable(com::VARIANT_BOOL* outAvailable) noexcept override;
    com::HRESULT RedoAvailable(com::VARIANT_BOOL* outAvailable) noexcept override;
    com::HRESULT ClearUndoStack() noexcept override;
    com::HRESULT ClearRedoStack() noexcept override;
    com::HRESULT ResetUndoState() noexcept override;
    com::HRESULT AddUndoAction(IUndoAction* inUndoAction) noexcept override;

private:
    using Stack = std::deque<com::ComPtr<IUndoAction>>;
    using Step = com::HRESULT (IUndoAction::*)();

    ~PLUndoManager() override = default;

    static void Replay(Stack& from, Stack& to, Step step);
    static void Clear(Stack& stack);

    com::WeakPtr<IDocument> document_;
    Stack undoStack_;
    Stack redoStack_;
};
