#include "components/undo/pl_undo_manager.h"

namespace {
bool IsMarker(const com::ComPtr<IUndoAction>& action)
{
    return static_cast<bool>(action.tryAs<IMultiUndoTagAction>());
}

com::ComPtr<IUndoAction> Pop(std::deque<com::ComPtr<IUndoAction>>& stack)
{
    com::ComPtr<IUndoAction> top = std::move(stack.back());
    stack.pop_back();
    return top;
}
}  // namespace

com::HRESULT PLUndoManager::SetDocument(com::IUnknown* inDocUnknownPtr) noexcept
{
    document_.reset(inDocUnknownPtr);
    return com::S_OK;
}

// Takes the top entry of `from` to `to`, playing it; a marker on top opens a group, which goes on
// up to its other marker. That marker moves without being played: each group plays exactly one of
// its markers per direction. A group whose other marker is missing ends where the stack ends.
// Every entry is off the stacks while it plays, so an action may call back into the manager, and
// what an action answers is not looked at: a failing action still moves.
void PLUndoManager::Replay(Stack& from, Stack& to, Step step)
{
    if (from.empty()) return;
    com::ComPtr<IUndoAction> top = Pop(from);
    (top.get()->*step)();
    const bool group = IsMarker(top);
    to.push_back(std::move(top));
    while (group && !from.empty()) {
        com::ComPtr<IUndoAction> next = Pop(from);
        const bool closing = IsMarker(next);
        if (!closing) (next.get()->*step)();
        to.push_back(std::move(next));
        if (closing) return;
    }
}

void PLUndoManager::Clear(Stack& stack)
{
    // Newest first; each is released before the next is touched.
    while (!stack.empty()) Pop(stack);
}

com::HRESULT PLUndoManager::Undo() noexcept
{
    return com::Guarded([&] {
        Replay(undoStack_, redoStack_, &IUndoAction::Undo);
        return com::S_OK;
    });
}

com::HRESULT PLUndoManager::Redo() noexcept
{
    return com::Guarded([&] {
        Replay(redoStack_, undoStack_, &IUndoAction::Redo);
        return com::S_OK;
    });
}

com::HRESULT PLUndoManager::UndoAvailable(com::VARIANT_BOOL* outAvailable) noexcept
{
    if (!outAvailable) return com::E_POINTER;
    *outAvailable = undoStack_.empty() ? com::VARIANT_FALSE : com::VARIANT_TRUE;
    return com::S_OK;
}

com::HRESULT PLUndoManager::RedoAvailable(com::VARIANT_BOOL* outAvailable) noexcept
{
    if (!outAvailable) return com::E_POINTER;
    *outAvailable = redoStack_.empty() ? com::VARIANT_FALSE : com::VARIANT_TRUE;
    return com::S_OK;
}

com::HRESULT PLUndoManager::ClearUndoStack() noexcept
{
    Clear(undoStack_);
    return com::S_OK;
}

com::HRESULT PLUndoManager::ClearRedoStack() noexcept
{
    Clear(redoStack_);
    return com::S_OK;
}

com::HRESULT PLUndoManager::ResetUndoState() noexcept
{
    ClearUndoStack();
    ClearRedoStack();
    return com::S_OK;
}

com::HRESULT PLUndoManager::AddUndoAction(IUndoAction* inUndoAction) noexcept
{
    if (!inUndoAction) return com::E_POINTER;
    return com::Guarded([&] {
        ClearRedoStack();
        undoStack_.emplace_back(inUndoAction);
        return com::S_OK;
    });
}
