#pragma once

#include "components/interfaces/restore_spot_action.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"

// Undo and Redo of a spot's removal from its document. Holds the spot, so the very same object
// goes back at its old position.
class PLRestoreSpotAction final : public com::Implements<PLRestoreSpotAction, IRestoreSpotAction, IUndoAction> {
public:
    com::HRESULT Initialize(IBaseSpot* inSpot, com::LONG inIndex, IDocument* inDocument) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLRestoreSpotAction() override = default;

    com::ComPtr<IBaseSpot> spot_;
    com::LONG index_ = 0;
    com::WeakPtr<IDocument> document_;
};
