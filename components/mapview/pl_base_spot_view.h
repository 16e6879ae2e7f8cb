#pragma once

#include "components/interfaces/spot_view.h"
#include "platform/com/implements.h"

// A spot view that draws nothing: the registered base of the spot views.
class PLBaseSpotView final : public com::Implements<PLBaseSpotView, IBaseSpotView> {
public:
    com::HRESULT DrawSpot(com::IUnknown*, IBaseSpot*, ui::HDC) noexcept override { return com::S_OK; }

private:
    ~PLBaseSpotView() override = default;
};
