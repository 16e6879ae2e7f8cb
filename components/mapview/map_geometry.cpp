#include "components/mapview/map_geometry.h"

#include <algorithm>
#include <iterator>

namespace mapview {

namespace {

com::LONG Trunc(double value)
{
    return static_cast<com::LONG>(value);
}

constexpr ZoomScale kZoomSteps[] = {{1, 16}, {1, 12}, {1, 8}, {1, 6}, {1, 4}, {1, 3}, {1, 2}, {2, 3},
                                    {1, 1},  {3, 2},  {2, 1}, {3, 1}, {4, 1}, {6, 1}, {8, 1}};
// Scales closer than this are the same step: a fit computed in floating point may land a hair off one.
constexpr double kSameScale = 1e-9;

// A length in window pixels as model units, and back. Zoomed, the product is formed before the
// division, so that lengths the zoom maps onto whole numbers come out whole.
double ToModel(const ViewFit& fit, com::LONG area)
{
    return fit.zoom ? double(area) * fit.zoom->denominator / fit.zoom->numerator : area * fit.areaToModel;
}

double ToArea(const ViewFit& fit, com::LONG model)
{
    return fit.zoom ? double(model) * fit.zoom->numerator / fit.zoom->denominator : model * fit.modelToArea;
}

}  // namespace

std::optional<ZoomScale> ZoomStepIn(double current)
{
    const auto next = std::find_if(std::begin(kZoomSteps), std::end(kZoomSteps),
                                   [&](ZoomScale step) { return step.value() > current + kSameScale; });
    if (next == std::end(kZoomSteps)) return std::nullopt;
    return *next;
}

std::optional<ZoomScale> ZoomStepOut(double current, double fit)
{
    for (auto step = std::rbegin(kZoomSteps); step != std::rend(kZoomSteps); ++step)
        if (step->value() < current - kSameScale)
            return step->value() > fit + kSameScale ? std::optional<ZoomScale>(*step) : std::nullopt;
    return std::nullopt;
}

tagRECT FitPicture(QSize picture, QSize client)
{
    const double W = picture.width(), H = picture.height(), w = client.width(), h = client.height();
    if (W <= 0 || H <= 0 || w <= 0 || h <= 0) return {0, 0, 0, 0};
    com::LONG dw, dh;
    if (w > W && h > H) {
        dw = picture.width();
        dh = picture.height();
    } else if (H / W <= h / w) {
        dw = client.width();
        dh = Trunc(H * w / W);
    } else {
        dh = client.height();
        dw = Trunc(W * h / H);
    }
    const com::LONG left = Trunc((w - dw) * 0.5), top = Trunc((h - dh) * 0.5);
    return {left, top, left + dw, top + dh};
}

ViewFit FitFor(QSize picture, QSize client)
{
    const double W = picture.width(), H = picture.height(), cw = client.width(), ch = client.height();
    ViewFit fit;
    fit.degenerate = W <= 0 || H <= 0 || cw <= 0 || ch <= 0;
    if (fit.degenerate) {
        // A factor would divide by zero; the window shows nothing of the picture anyway.
        const QSize shown = W <= cw && H <= ch ? picture : QSize(0, 0);
        fit.offsetX = (client.width() - shown.width()) / 2;
        fit.offsetY = (client.height() - shown.height()) / 2;
        return fit;
    }
    if (W > cw || H > ch) {
        if (ch / cw < H / W) {
            fit.areaToModel = H / ch;
            fit.modelToArea = ch / H;
        } else {
            fit.areaToModel = W / cw;
            fit.modelToArea = cw / W;
        }
    }
    // The offsets are those of the painted picture: scaled sizes computed apart would round apart,
    // and the spots would stand a pixel off the picture under them.
    const tagRECT shown = FitPicture(picture, client);
    fit.offsetX = shown.left;
    fit.offsetY = shown.top;
    return fit;
}

ViewFit ZoomedFit(ZoomScale scale, QPoint origin)
{
    ViewFit fit;
    fit.zoom = scale;
    fit.modelToArea = scale.value();
    fit.areaToModel = 1.0 / scale.value();
    fit.offsetX = origin.x();
    fit.offsetY = origin.y();
    return fit;
}

QSize ZoomedSize(QSize picture, ZoomScale scale)
{
    return QSize(Trunc(double(picture.width()) * scale.numerator / scale.denominator),
                 Trunc(double(picture.height()) * scale.numerator / scale.denominator));
}

QPoint ClampOrigin(QPoint origin, QSize shown, QSize client)
{
    const auto axis = [](int position, int shownLength, int clientLength) {
        if (shownLength <= clientLength) return (clientLength - shownLength) / 2;
        return std::clamp(position, clientLength - shownLength, 0);
    };
    return QPoint(axis(origin.x(), shown.width(), client.width()), axis(origin.y(), shown.height(), client.height()));
}

tagPOINT AreaPointToModel(const ViewFit& fit, tagPOINT area)
{
    return {Trunc(ToModel(fit, area.x - fit.offsetX)), Trunc(ToModel(fit, area.y - fit.offsetY))};
}

tagPOINT ModelPointToArea(const ViewFit& fit, tagPOINT model)
{
    return {Trunc(ToArea(fit, model.x) + fit.offsetX), Trunc(ToArea(fit, model.y) + fit.offsetY)};
}

tagRECT AreaRectToModel(const ViewFit& fit, const tagRECT& area)
{
    const tagPOINT topLeft = AreaPointToModel(fit, {area.left, area.top});
    return {topLeft.x, topLeft.y, Trunc(ToModel(fit, area.right - area.left) + topLeft.x),
            Trunc(ToModel(fit, area.bottom - area.top) + topLeft.y)};
}

tagRECT ModelRectToArea(const ViewFit& fit, const tagRECT& model)
{
    if (fit.degenerate) return {0, 0, 0, 0};
    const tagPOINT topLeft = ModelPointToArea(fit, {model.left, model.top});
    return {topLeft.x, topLeft.y, Trunc(ToArea(fit, model.right - model.left) + topLeft.x),
            Trunc(ToArea(fit, model.bottom - model.top) + topLeft.y)};
}

namespace {

// The smallest model coordinate that the window shows at pixel `area` of an axis, or further on.
// At the fit each model unit moves the window position by at most one pixel (pictures are never
// enlarged), so every pixel of the picture has one; zoomed in, a unit spans several pixels.
com::LONG FirstModelAt(const ViewFit& fit, com::LONG offset, com::LONG area)
{
    const auto shownAt = [&](com::LONG model) { return Trunc(ToArea(fit, model) + offset); };
    com::LONG model = Trunc(ToModel(fit, area - offset));
    while (shownAt(model) < area) ++model;
    while (shownAt(model - 1) >= area) --model;
    return model;
}

// One edge moved by one window pixel; zoomed in, the pixel before an edge may still show the unit
// the edge is on, and the edge then goes to the unit before it.
com::LONG NudgedEdge(const ViewFit& fit, com::LONG offset, com::LONG edge, com::LONG shown, com::LONG step)
{
    if (step == 0) return edge;
    const com::LONG moved = FirstModelAt(fit, offset, shown + step);
    return step < 0 ? std::min(moved, edge - 1) : moved;
}

}  // namespace

tagRECT NudgeModelRect(const ViewFit& fit, const tagRECT& model, com::LONG dx, com::LONG dy)
{
    const tagPOINT shown = ModelPointToArea(fit, {model.left, model.top});
    const com::LONG left = NudgedEdge(fit, fit.offsetX, model.left, shown.x, dx);
    const com::LONG top = NudgedEdge(fit, fit.offsetY, model.top, shown.y, dy);
    return {left, top, left + (model.right - model.left), top + (model.bottom - model.top)};
}

tagPOINT ClampPoint(tagPOINT point, const tagRECT& bounds)
{
    if (point.x < bounds.left) point.x = bounds.left;
    if (point.x > bounds.right) point.x = bounds.right;
    if (point.y < bounds.top) point.y = bounds.top;
    if (point.y > bounds.bottom) point.y = bounds.bottom;
    return point;
}

}  // namespace mapview
