#include "app/export/page_geometry.h"

#include <algorithm>

namespace html_export {

namespace {

// The map image lies 50 pixels into the page and the pin picture's point is 16 pixels into it,
// so a pin placed here points at the spot's centre.
constexpr int kPinOffset = 34;

int truncated(double value)
{
    return static_cast<int>(value);
}

}  // namespace

std::optional<tagRECT> PageGeometry::MapToPage(QSize mapPicture, const tagRECT& bounds)
{
    const int w = mapPicture.width();
    const int h = mapPicture.height();
    if (w <= 0 || h < 0)
        return std::nullopt;
    const int pageWidth = kImageSize.width();
    const int pageHeight = kImageSize.height();
    double scale;
    int scaledWidth;
    int scaledHeight;
    // Compared as products, so the test is exact for every size: h / w > 480 / 640.
    if (static_cast<qint64>(h) * pageWidth > static_cast<qint64>(w) * pageHeight) {
        scale = double(pageHeight) / h;
        scaledWidth = truncated(w * scale);
        scaledHeight = pageHeight;
    } else {
        scale = double(pageWidth) / w;
        scaledWidth = pageWidth;
        scaledHeight = truncated(h * scale);
    }
    tagRECT page;
    page.left = truncated(scale * bounds.left + (pageWidth - scaledWidth) / 2);
    page.top = truncated(scale * bounds.top + (pageHeight - scaledHeight) / 2);
    page.right = truncated(scale * (double(bounds.right) - bounds.left) + page.left);
    page.bottom = truncated(scale * (double(bounds.bottom) - bounds.top) + page.top);
    return page;
}

QPoint PageGeometry::SpotCentre(const tagRECT& pageRect)
{
    const int x = static_cast<int>((qint64(pageRect.left) + pageRect.right) / 2);
    const int y = static_cast<int>((qint64(pageRect.top) + pageRect.bottom) / 2);
    return QPoint(std::max(x, 0), std::max(y, 0));
}

QPoint PageGeometry::PinPoint(const tagRECT& pageRect)
{
    return SpotCentre(pageRect) + QPoint(kPinOffset, kPinOffset);
}

std::optional<QRect> PageGeometry::PictureRect(QSize source)
{
    const int w = source.width();
    const int h = source.height();
    if (w <= 0 || h <= 0)
        return std::nullopt;
    const double rx = double(kImageSize.width()) / w;
    const double ry = double(kImageSize.height()) / h;
    if (ry < rx) {
        const int x0 = truncated((kImageSize.width() - w * ry) * 0.5);
        return QRect(x0, 0, truncated(w * ry), truncated(h * ry));
    }
    const int y0 = truncated((kImageSize.height() - h * rx) * 0.5);
    return QRect(0, y0, truncated(w * rx), truncated(h * rx));
}

}  // namespace html_export
