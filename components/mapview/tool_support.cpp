#include "components/mapview/tool_support.h"

namespace mapview {

com::ComPtr<IMapView> MapViewOf(com::IUnknown* view)
{
    return view ? com::ComPtr<com::IUnknown>(view).tryAs<IMapView>() : com::ComPtr<IMapView>();
}

com::ComPtr<IBaseSpot> SpotUnder(IDocument& document, IMapView& view, tagPOINT area, tagPOINT& model)
{
    view.ConvertAreaPointToModelPoint(&area, &model);
    com::ComPtr<IBaseSpot> spot;
    document.SpotAtPoint(&model, spot.put());
    return spot;
}

void MarkDirty(IDocument& document)
{
    com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
    document.SetDirty(&dirty);
}

}  // namespace mapview
