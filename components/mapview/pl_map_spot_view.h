#pragma once

#include "components/interfaces/spot_view.h"
#include "platform/com/implements.h"

// Draws a spot on the map as a frame two pixels wide, three pixels inside the spot's window
// rectangle: red when selected (with four 6 × 6 handles at the rectangle's corners, in the device
// context's current pen and brush), else purple when visited, else blue. Keeps no state.
class PLMapSpotView final : public com::Implements<PLMapSpotView, IMapSpotView, IBaseSpotView> {
public:
    com::HRESULT DrawSpot(com::IUnknown* inView, IBaseSpot* inSpot, ui::HDC inDC) noexcept override;

private:
    ~PLMapSpotView() override = default;
};
