#pragma once

#include "components/interfaces/position_action.h"
#include "platform/com/implements.h"

// Undo and Redo of a spot's move or resize: both swap the spot's bounds with the kept rectangle.
class PLPositionAction final : public com::Implements<PLPositionAction, IPositionAction, IUndoAction> {
public:
    com::HRESULT Initialize(IBaseSpot* inBaseSpot, tagRECT* inBounds) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLPositionAction() override = default;
    void swapBounds();

    com::ComPtr<IBaseSpot> spot_;
    tagRECT bounds_{0, 0, 0, 0};
};
