#include "components/mapview/pl_edit_tool.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/position_action.h"
#include "components/mapview/map_geometry.h"
#include "components/mapview/tool_support.h"
#include "components/mapview/undo_group.h"
#include "platform/com/runtime.h"
#include "platform/ui/key_codes.h"

#include <cstdlib>

namespace {
constexpr com::LONG kDragThreshold = 4;  // window pixels
constexpr com::LONG kGrabReach = 10;     // window pixels around each corner
constexpr com::LONG kMinimumSize = 40;   // model units a resized spot stays above

bool Contains(const tagRECT& box, tagPOINT point)
{
    return point.x >= box.left && point.x < box.right && point.y >= box.top && point.y < box.bottom;
}
}  // namespace

com::HRESULT PLEditTool::LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept
{
    const auto view = mapview::MapViewOf(inView);
    if (!inDocPtr || !view || !inPoint) return com::S_OK;
    tagPOINT model{};
    const auto spot = mapview::SpotUnder(*inDocPtr, *view, *inPoint, model);
    if (!spot) return com::S_OK;
    inDocPtr->PutCurrentSpot(spot.get());
    pressed_ = true;
    pressPoint_ = *inPoint;
    dragging_ = false;
    spot->GetBounds(&pressBounds_);
    return com::S_OK;
}

com::HRESULT PLEditTool::OnMouseMove(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept
{
    const auto view = mapview::MapViewOf(inView);
    if (!pressed_ || !inDocPtr || !view || !inPoint) return com::S_OK;
    if (!dragging_) {
        if (std::abs(inPoint->x - pressPoint_.x) <= kDragThreshold &&
            std::abs(inPoint->y - pressPoint_.y) <= kDragThreshold)
            return com::S_OK;
        dragging_ = true;
    }
    com::ComPtr<IBaseSpot> spot;
    inDocPtr->GetCurrentSpot(spot.put());
    if (!spot) return com::S_OK;
    tagRECT bounds{}, model{};
    view->GetModelBounds(&bounds);
    tagPOINT m{};
    view->ConvertAreaPointToModelPoint(inPoint, &m);
    m = mapview::ClampPoint(m, bounds);
    spot->GetBounds(&model);
    tagRECT moved = dragStep(*view, model, m);
    spot->SetBounds(&moved);
    mapview::MarkDirty(*inDocPtr);
    inDocPtr->ChangeNotification(spot.as<com::IUnknown>().get(), kSpotMoved);
    return com::S_OK;
}

tagRECT PLEditTool::dragStep(IMapView& view, const tagRECT& r, tagPOINT m)
{
    tagRECT a{}, bounds = r;
    view.ConvertModelRectToAreaRect(&bounds, &a);
    struct Corner {
        DragMode mode;
        tagPOINT point;
    };
    const Corner corners[] = {{DragMode::TopLeft, {a.left, a.top}},
                              {DragMode::TopRight, {a.right, a.top}},
                              {DragMode::BottomRight, {a.right, a.bottom}},
                              {DragMode::BottomLeft, {a.left, a.bottom}}};
    tagRECT n = r;
    for (const Corner& corner : corners) {
        tagRECT box{corner.point.x - kGrabReach, corner.point.y - kGrabReach, corner.point.x + kGrabReach,
                    corner.point.y + kGrabReach};
        tagRECT grab{};
        view.ConvertAreaRectToModelRect(&box, &grab);
        if (mode_ != corner.mode && !(mode_ == DragMode::None && Contains(grab, m))) continue;
        mode_ = corner.mode;
        const bool movesLeft = mode_ == DragMode::TopLeft || mode_ == DragMode::BottomLeft;
        const bool movesTop = mode_ == DragMode::TopLeft || mode_ == DragMode::TopRight;
        if (movesLeft ? m.x < r.right - kMinimumSize : m.x > r.left + kMinimumSize) (movesLeft ? n.left : n.right) = m.x;
        if (movesTop ? m.y < r.bottom - kMinimumSize : m.y > r.top + kMinimumSize) (movesTop ? n.top : n.bottom) = m.y;
        return n;
    }
    // No corner: the spot's centre jumps under the pointer (an odd size comes out one unit smaller).
    mode_ = DragMode::Move;
    const com::LONG halfWidth = (r.right - r.left) / 2, halfHeight = (r.bottom - r.top) / 2;
    return {m.x - halfWidth, m.y - halfHeight, m.x + halfWidth, m.y + halfHeight};
}

com::HRESULT PLEditTool::LButtonUp(IDocument* inDocPtr, com::IUnknown*, tagPOINT*) noexcept
{
    const bool dragged = mode_ != DragMode::None;
    pressed_ = false;
    dragging_ = false;
    mode_ = DragMode::None;
    if (!dragged || !inDocPtr) return com::S_OK;
    return com::Guarded([&] {
        com::ComPtr<IBaseSpot> spot;
        inDocPtr->GetCurrentSpot(spot.put());
        auto action = com::CreateInstance<IPositionAction>(CLSID_PLPositionAction);
        action->Initialize(spot.get(), &pressBounds_);
        mapview::RecordUndo(*inDocPtr, action.as<IUndoAction>().get());
        return com::S_OK;
    });
}

com::HRESULT PLEditTool::LButtonDoubleClick(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept
{
    const auto view = mapview::MapViewOf(inView);
    if (!inDocPtr || !view || !inPoint) return com::S_OK;
    tagPOINT model{};
    const auto spot = mapview::SpotUnder(*inDocPtr, *view, *inPoint, model);
    if (!spot) return com::S_OK;
    const com::ComPtr<IToolPalette> palette = toolPalette_;  // a handler may replace this tool
    if (spot.tryAs<IPhotoSpot>()) {
        inDocPtr->PutCurrentSpot(spot.get());
        if (palette) palette->StartSlideShow();
    } else if (const auto mapSpot = spot.tryAs<IMapSpot>()) {
        inDocPtr->PutCurrentSpot(spot.get());
        com::Bstr link;
        mapSpot->GetFileName(link.put());
        com::BSTR argument = link.get();
        if (palette) palette->OpenMap(&argument);
    }
    spot->SetVisited(com::VARIANT_TRUE);
    return com::S_OK;
}

com::HRESULT PLEditTool::SetToolPalette(com::IUnknown* inToolPalette) noexcept
{
    toolPalette_ = inToolPalette ? com::ComPtr<com::IUnknown>(inToolPalette).tryAs<IToolPalette>()
                                 : com::ComPtr<IToolPalette>();
    return com::S_OK;
}

com::HRESULT PLEditTool::OnKeyDown(IDocument* inDocPtr, com::IUnknown*, com::LONG inKey) noexcept
{
    if (inKey != ui::kVkReturn || !inDocPtr) return com::S_OK;
    com::ComPtr<IBaseSpot> spot;
    inDocPtr->GetCurrentSpot(spot.put());
    if (!spot) return com::S_OK;
    const com::ComPtr<IToolPalette> palette = toolPalette_;
    if (spot.tryAs<IPhotoSpot>()) {
        spot->SetVisited(com::VARIANT_TRUE);
        if (palette) palette->StartSlideShow();
    } else if (const auto mapSpot = spot.tryAs<IMapSpot>()) {
        com::Bstr link;
        mapSpot->GetFileName(link.put());
        com::BSTR argument = link.get();
        if (palette) palette->OpenMap(&argument);
    }
    return com::S_OK;
}
