#include "components/undo/pl_position_action.h"

com::HRESULT PLPositionAction::Initialize(IBaseSpot* inBaseSpot, tagRECT* inBounds) noexcept
{
    if (!inBaseSpot || !inBounds) return com::E_POINTER;
    spot_ = com::ComPtr<IBaseSpot>(inBaseSpot);
    bounds_ = *inBounds;
    return com::S_OK;
}

void PLPositionAction::swapBounds()
{
    if (!spot_) return;
    tagRECT current{0, 0, 0, 0};
    spot_->GetBounds(&current);
    spot_->SetBounds(&bounds_);
    bounds_ = current;
}

com::HRESULT PLPositionAction::Undo() noexcept
{
    swapBounds();
    return com::S_OK;
}

com::HRESULT PLPositionAction::Redo() noexcept
{
    swapBounds();
    return com::S_OK;
}
