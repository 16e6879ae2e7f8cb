#include "components/mapview/pl_browse_tool.h"

#include "components/mapview/tool_support.h"

com::HRESULT PLBrowseTool::LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept
{
    const auto view = mapview::MapViewOf(inView);
    if (!inDocPtr || !view || !inPoint) return com::S_OK;
    tagPOINT model{};
    if (const auto spot = mapview::SpotUnder(*inDocPtr, *view, *inPoint, model)) inDocPtr->PutCurrentSpot(spot.get());
    return com::S_OK;
}
