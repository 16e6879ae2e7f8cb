#include "imaging/graphics.h"

#include "imaging/brush.h"
#include "imaging/font.h"
#include "imaging/image.h"
#include "imaging/pen.h"
#include "imaging/string_format.h"

#include <QColor>

namespace imaging {

Graphics::Graphics(QPainter& painter) : painter_(painter)
{
    painter_.save();
}

Graphics::Graphics(QPaintDevice& device) : painter_(ownPainter_.emplace())
{
    // begin() on a device that cannot be painted leaves the painter inactive and every later
    // call does nothing, which is all an empty bitmap can take.
    if (painter_.begin(&device))
        painter_.save();
}

Graphics::~Graphics()
{
    if (painter_.isActive())
        painter_.restore();
}

void Graphics::clear(quint32 argb)
{
    if (!painter_.isActive())
        return;
    painter_.save();
    painter_.resetTransform();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    const QPaintDevice& device = *painter_.device();
    painter_.fillRect(QRect(0, 0, device.width(), device.height()), QColor::fromRgba(argb));
    painter_.restore();
}

void Graphics::drawImage(const Image& image, const QRect& target)
{
    if (image.size().isEmpty() || target.isEmpty() || !painter_.isActive())
        return;
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (interpolation_ == Interpolation::HighQuality) {
        const QSize devicePixels =
            painter_.deviceTransform().mapRect(QRectF(target)).toAlignedRect().size();
        painter_.drawImage(QRectF(target), image.thumbnail(devicePixels).pixels());
    } else {
        painter_.drawImage(QRectF(target), image.pixels());
    }
}

void Graphics::drawRectangle(const Pen& pen, const QRectF& rect)
{
    if (!painter_.isActive())
        return;
    // Antialiased geometry puts the stroke exactly on the edge; aliased strokes of Qt are shifted
    // by half a pixel.
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(pen.qpen());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(rect);
}

void Graphics::fillEllipse(const Brush& brush, const QRectF& bounds)
{
    if (!painter_.isActive())
        return;
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(brush.qbrush());
    painter_.drawEllipse(bounds);
}

void Graphics::drawString(const QString& text, const Font& font, const Brush& brush,
                          const QRectF& layout, const StringFormat& format)
{
    if (!painter_.isActive())
        return;
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(font.qfont());
    painter_.setPen(QPen(brush.qbrush(), 0));
    painter_.drawText(layout, format.qtFlags(), text);
}

}  // namespace imaging
