#pragma once

#include "components/interfaces/undo_action.h"
#include "platform/com/implements.h"

// An action that does nothing: undoing and redoing it succeed.
class PLUndoAction final : public com::Implements<PLUndoAction, IUndoAction> {
public:
    com::HRESULT Undo() noexcept override { return com::S_OK; }
    com::HRESULT Redo() noexcept override { return com::S_OK; }
};
