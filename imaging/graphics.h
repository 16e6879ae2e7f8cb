#pragma once

#include <QPainter>
#include <QRect>
#include <QRectF>
#include <QString>
#include <optional>

namespace imaging {

class Brush;
class Font;
class Image;
class Pen;
class StringFormat;

enum class Interpolation {
    // Bilinear filtering while drawing: fast enough for every repaint of a window.
    Default,
    // The picture is first resampled to the device pixels it will cover with an area-averaging
    // filter, so large reductions (a photograph into an exported page) keep their detail without
    // aliasing.
    HighQuality,
};

// Drawing onto a device: a window's device context (an active QPainter) or a bitmap.
//
// Over a borrowed painter, drawing lands where the painter paints and is clipped by its clip
// region; the painter's state (pen, brush, font, hints) is restored when the Graphics ends.
// Over a device, the Graphics paints on it until it is destroyed; a device that cannot be painted
// (an empty bitmap) receives nothing.
//
// Thread: one thread at a time; over a bitmap, any thread.
class Graphics {
public:
    explicit Graphics(QPainter& painter);
    explicit Graphics(QPaintDevice& device);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    void setInterpolation(Interpolation interpolation) { interpolation_ = interpolation; }

    // Replaces every pixel inside the clip region with `argb`, alpha included.
    void clear(quint32 argb);

    // Scales `image` to fill `target`; an empty image draws nothing.
    void drawImage(const Image& image, const QRect& target);

    // The stroke is centred on the rectangle's edge.
    void drawRectangle(const Pen& pen, const QRectF& rect);

    void fillEllipse(const Brush& brush, const QRectF& bounds);

    void drawString(const QString& text, const Font& font, const Brush& brush, const QRectF& layout,
                    const StringFormat& format);

private:
    // Declared before painter_, which refers to it when the Graphics owns its painter.
    std::optional<QPainter> ownPainter_;
    QPainter& painter_;
    Interpolation interpolation_ = Interpolation::Default;
};

}  // namespace imaging
