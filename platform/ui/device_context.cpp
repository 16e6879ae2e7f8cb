#include "platform/ui/device_context.h"

#include <QPaintEngine>
#include <QTextOption>
#include <algorithm>
#include <utility>

namespace ui {

QColor ToQColor(COLORREF color)
{
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

qreal PaintedPixelRatio(const QPainter& painter)
{
    // A widget rendered into an image paints through a painter whose device is the widget; the
    // engine's device is the image actually painted.
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = engine && engine->paintDevice() ? engine->paintDevice() : painter.device();
    return device ? device->devicePixelRatioF() : 1.0;
}

DeviceContext::DeviceContext(QPainter& painter) : painter_(painter)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

DeviceContext::~DeviceContext()
{
    painter_.restore();
}

GdiPen DeviceContext::selectPen(const GdiPen& pen)
{
    return std::exchange(pen_, pen);
}

GdiBrush DeviceContext::selectBrush(const GdiBrush& brush)
{
    return std::exchange(brush_, brush);
}

void DeviceContext::rectangle(int left, int top, int right, int bottom)
{
    const QRect outer(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (outer.isEmpty()) return;
    const int width = pen_.null ? 0 : std::max(pen_.width, 1);
    const QRect inner = outer.adjusted(width, width, -width, -width);
    if (!brush_.hollow && !inner.isEmpty()) fillRect(inner, brush_.color);
    if (width == 0) return;
    // Four bands: top and bottom across the whole width, left and right between them.
    const int band = std::min({width, (outer.width() + 1) / 2, (outer.height() + 1) / 2});
    fillRect(QRect(outer.left(), outer.top(), outer.width(), band), pen_.color);
    fillRect(QRect(outer.left(), outer.bottom() - band + 1, outer.width(), band), pen_.color);
    fillRect(QRect(outer.left(), outer.top() + band, band, outer.height() - 2 * band), pen_.color);
    fillRect(QRect(outer.right() - band + 1, outer.top() + band, band, outer.height() - 2 * band), pen_.color);
}

void DeviceContext::fillRect(const QRect& rect, COLORREF color)
{
    if (!rect.isEmpty()) painter_.fillRect(rect, ToQColor(color));
}

void DeviceContext::bitBlt(const QRect& target, const QImage& source)
{
    painter_.drawImage(target.topLeft(), source,
                       QRect(QPoint(0, 0), (QSizeF(target.size()) * source.devicePixelRatio()).toSize()));
}

void DeviceContext::drawTextCentred(const QString& text, const QFont& font, const QRect& bounds)
{
    painter_.save();
    painter_.setFont(font);
    painter_.setPen(ToQColor(textColor_));
    painter_.setBackgroundMode(backgroundMode_ == BackgroundMode::Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(ToQColor(backgroundColor_));
    QString lines = text;
    lines.replace(QChar(u'\r'), QChar(u'\n'));
    painter_.drawText(bounds, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, lines);
    painter_.restore();
}

void DeviceContext::setClipRegion(const QRegion& region)
{
    painter_.setClipRegion(region);
}

void DeviceContext::removeClip()
{
    painter_.setClipping(false);
}

}  // namespace ui
