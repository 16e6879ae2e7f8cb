#include "components/mapview/pl_map_spot_view.h"

#include "components/interfaces/map_view.h"

namespace {
constexpr ui::COLORREF kSelectedColour = 0x0000FF;
constexpr ui::COLORREF kVisitedColour = 0xA33487;
constexpr ui::COLORREF kPlainColour = 0xFF0000;
constexpr int kFrameWidth = 2;
constexpr int kFrameInset = 3;
constexpr int kHandleSize = 6;
}  // namespace

com::HRESULT PLMapSpotView::DrawSpot(com::IUnknown* inView, IBaseSpot* inSpot, ui::HDC inDC) noexcept
{
    if (!inView || !inSpot || !inDC) return com::S_OK;
    const auto view = com::ComPtr<com::IUnknown>(inView).tryAs<IMapView>();
    if (!view) return com::S_OK;
    tagRECT bounds{}, r{};
    inSpot->GetBounds(&bounds);
    view->ConvertModelRectToAreaRect(&bounds, &r);
    com::VARIANT_BOOL visited = com::VARIANT_FALSE, selected = com::VARIANT_FALSE;
    inSpot->WasVisited(&visited);
    inSpot->GetSelected(&selected);

    const ui::COLORREF colour = selected ? kSelectedColour : visited ? kVisitedColour : kPlainColour;
    const ui::GdiBrush oldBrush = inDC->selectBrush({.hollow = true});
    const ui::GdiPen oldPen = inDC->selectPen({.color = colour, .width = kFrameWidth});
    // A spot too small to hold the inset frame gets it along its own edges: a small spot on a large
    // map stays visible, and nothing is drawn outside the rectangle its changes repaint.
    const bool roomForInset = r.right - r.left > 2 * kFrameInset && r.bottom - r.top > 2 * kFrameInset;
    const int inset = roomForInset ? kFrameInset : 0;
    inDC->rectangle(r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
    inDC->selectPen(oldPen);
    inDC->selectBrush(oldBrush);

    if (selected) {
        inDC->rectangle(r.left, r.top, r.left + kHandleSize, r.top + kHandleSize);
        inDC->rectangle(r.right - kHandleSize, r.top, r.right, r.top + kHandleSize);
        inDC->rectangle(r.right - kHandleSize, r.bottom - kHandleSize, r.right, r.bottom);
        inDC->rectangle(r.left, r.bottom - kHandleSize, r.left + kHandleSize, r.bottom);
    }
    return com::S_OK;
}
