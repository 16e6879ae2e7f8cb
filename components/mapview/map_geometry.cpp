#include "components/mapview/map_geometry.h"

namespace mapview {

namespace {
com::LONG Trunc(double value)
{
    return static_cast<com::LONG>(value);
}
}  // namespace

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

tagPOINT AreaPointToModel(const ViewFit& fit, tagPOINT area)
{
    return {Trunc((area.x - fit.offsetX) * fit.areaToModel), Trunc((area.y - fit.offsetY) * fit.areaToModel)};
}

tagPOINT ModelPointToArea(const ViewFit& fit, tagPOINT model)
{
    return {Trunc(model.x * fit.modelToArea + fit.offsetX), Trunc(model.y * fit.modelToArea + fit.offsetY)};
}

tagRECT AreaRectToModel(const ViewFit& fit, const tagRECT& area)
{
    const tagPOINT topLeft = AreaPointToModel(fit, {area.left, area.top});
    return {topLeft.x, topLeft.y, Trunc((area.right - area.left) * fit.areaToModel + topLeft.x),
            Trunc((area.bottom - area.top) * fit.areaToModel + topLeft.y)};
}

tagRECT ModelRectToArea(const ViewFit& fit, const tagRECT& model)
{
    if (fit.degenerate) return {0, 0, 0, 0};
    const tagPOINT topLeft = ModelPointToArea(fit, {model.left, model.top});
    return {topLeft.x, topLeft.y, Trunc((model.right - model.left) * fit.modelToArea + topLeft.x),
            Trunc((model.bottom - model.top) * fit.modelToArea + topLeft.y)};
}

namespace {

// The smallest model coordinate that the window shows at pixel `area` of an axis. Each model unit
// moves the window position by at most one pixel (pictures are never enlarged), so every pixel of
// the picture has one.
com::LONG FirstModelAt(const ViewFit& fit, com::LONG offset, com::LONG area)
{
    const auto shownAt = [&](com::LONG model) { return Trunc(model * fit.modelToArea + offset); };
    com::LONG model = Trunc((area - offset) * fit.areaToModel);
    while (shownAt(model) < area) ++model;
    while (shownAt(model - 1) >= area) --model;
    return model;
}

}  // namespace

tagRECT NudgeModelRect(const ViewFit& fit, const tagRECT& model, com::LONG dx, com::LONG dy)
{
    const tagPOINT shown = ModelPointToArea(fit, {model.left, model.top});
    const com::LONG left = dx == 0 ? model.left : FirstModelAt(fit, fit.offsetX, shown.x + dx);
    const com::LONG top = dy == 0 ? model.top : FirstModelAt(fit, fit.offsetY, shown.y + dy);
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
