#include "components/slideshow/slide_geometry.h"

namespace slideshow {

namespace {

com::LONG Trunc(double value)
{
    return static_cast<com::LONG>(value);
}

}  // namespace

tagRECT FitSlide(QSize picture, QSize client)
{
    const int w = picture.width(), h = picture.height(), W = client.width(), H = client.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return {0, 0, 0, 0};
    com::LONG width = w, height = h;
    if (!(W > w && H > h)) {
        // The order of the operations is part of the result: the aspect is computed first, then
        // applied, each in double precision.
        const double aspect = double(h) / double(w);
        if (aspect > double(H) / double(W)) {
            height = H;
            width = Trunc(H / aspect);
        } else {
            height = Trunc(aspect * W);
            width = W;
        }
    }
    const com::LONG top = Trunc((H - height) * 0.5), left = Trunc((W - width) * 0.5);
    return {left, top, left + width, top + height};
}

QSize CornerThumbnailSize(QSize picture, QSize box)
{
    const double w = picture.width(), h = picture.height(), W = box.width(), H = box.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return QSize();
    if (H / W < h / w) return QSize(Trunc(w / (h / H)), box.height());
    return QSize(box.width(), Trunc(h / (w / W)));
}

}  // namespace slideshow
