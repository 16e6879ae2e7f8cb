#pragma once

#include "components/interfaces/undo_action.h"
#include "platform/com/implements.h"

// One end of a group on the undo stacks. The manager recognises it by IMultiUndoTagAction and never
// needs to call it; calling it anyway does nothing and says so.
class PLMultiUndoTagAction final : public com::Implements<PLMultiUndoTagAction, IMultiUndoTagAction, IUndoAction> {
public:
    com::HRESULT Undo() noexcept override { return com::E_NOTIMPL; }
    com::HRESULT Redo() noexcept override { return com::E_NOTIMPL; }
};
