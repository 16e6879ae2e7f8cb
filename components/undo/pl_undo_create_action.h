#pragma once

#include "components/interfaces/undo_create_action.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"

// Undo and Redo of a spot's creation: Undo removes the whole spot, Redo appends the same spot again.
class PLUndoCreateAction final : public com::Implements<PLUndoCreateAction, IUndoCreateAction, IUndoAction> {
public:
    com::HRESULT Initialize(IDocument* inDocument, IBaseSpot* inSpot) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoCreateAction() override = default;

    com::WeakPtr<IDocument> document_;
    com::ComPtr<IBaseSpot> spot_;
};
