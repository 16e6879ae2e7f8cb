#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/map_view.h"

// What every tool does first with a mouse event: find the map view and the spot under the pointer.
namespace mapview {

// Null when `view` is not a map view (the tool then does nothing).
com::ComPtr<IMapView> MapViewOf(com::IUnknown* view);

// The spot at the model point under the window point `area` (null on the empty map); `model`
// receives that model point.
com::ComPtr<IBaseSpot> SpotUnder(IDocument& document, IMapView& view, tagPOINT area, tagPOINT& model);

void MarkDirty(IDocument& document);

}  // namespace mapview
