#pragma once

#include "components/interfaces/base_spot.h"
#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"
#include "platform/ui/device_context.h"

// Draws one spot onto the map view's device context, in the view's clip region. Keeps no state
// between calls. Always answers S_OK.
struct IBaseSpotView : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IBaseSpotView;
    using Base = com::IDispatch;
    // inView: the map view's IUnknown, whose IMapView converts the spot's bounds to the window.
    virtual com::HRESULT DrawSpot(com::IUnknown* inView, IBaseSpot* inSpot, ui::HDC inDC) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IBaseSpotView*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IBaseSpotView::DrawSpot>(1, u"DrawSpot"),
    };
    return members;
}

// The spot view of the map: a frame coloured by the spot's state, with handles on the selected one.
// It has no operations of its own; its drawing is IBaseSpotView's.
struct IMapSpotView : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IMapSpotView;
    using Base = com::IDispatch;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IMapSpotView*)
{
    return {};
}
