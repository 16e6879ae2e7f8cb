#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>

namespace ui {

// A colour as the platform writes it: 0x00BBGGRR.
using COLORREF = std::uint32_t;
constexpr COLORREF Rgb(int red, int green, int blue)
{
    return COLORREF(red) | COLORREF(green) << 8 | COLORREF(blue) << 16;
}
QColor ToQColor(COLORREF color);

// The device pixel ratio of what `painter` paints on: the screen's for a window on screen, the
// picture's when a window is rendered into one. Back buffers made at this ratio are as sharp as the
// text the painter draws.
qreal PaintedPixelRatio(const QPainter& painter);

// A pen as a device context selects it: solid lines of a colour and a width in pixels, or none.
struct GdiPen {
    COLORREF color = Rgb(0, 0, 0);
    int width = 1;
    bool null = false;
};

// A brush as a device context selects it: a solid colour, or hollow (nothing is filled).
struct GdiBrush {
    COLORREF color = Rgb(255, 255, 255);
    bool hollow = false;
};

enum class BackgroundMode { Opaque, Transparent };

// A drawing context over a QPainter that keeps the state the platform's device context keeps: the
// selected pen and brush (a black pen one pixel wide and a white brush to start with), the clip
// region, the text colour and background mode. One logical unit is one pixel, always.
//
// Rectangles are given as left, top, right, bottom with right and bottom outside, and the shapes
// cover exactly those pixels: a frame drawn for {103, 103, 137, 137} with a two-pixel pen covers
// columns 103, 104, 135 and 136. Nothing is antialiased, so a pixel is either drawn or not.
//
// Thread: the thread of its painter. The painter must outlive the context; the painter's state is
// restored when the context ends.
class DeviceContext {
public:
    // Marks the type as a handle that dispatch passes through unchanged (see HDC).
    using IsHandle = void;

    explicit DeviceContext(QPainter& painter);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Each gives back what was selected before, to be put back when the caller is done.
    GdiPen selectPen(const GdiPen& pen);
    GdiBrush selectBrush(const GdiBrush& brush);
    const GdiPen& pen() const { return pen_; }
    const GdiBrush& brush() const { return brush_; }

    // The outline with the selected pen, inside the rectangle, and the inside with the brush.
    void rectangle(int left, int top, int right, int bottom);
    void fillRect(const QRect& rect, COLORREF color);

    // Copies `source` (from its origin) onto `target` unscaled, pixel for pixel of the device: a
    // source made for a device pixel ratio covers `target` times that ratio. What lies outside the
    // clip stays.
    void bitBlt(const QRect& target, const QImage& source);

    // Text wrapped at word boundaries and centred on each line; a carriage return starts a line.
    // Drawn in the text colour, over the background colour in the opaque background mode.
    void drawTextCentred(const QString& text, const QFont& font, const QRect& bounds);
    void setBackgroundMode(BackgroundMode mode) { backgroundMode_ = mode; }
    // Black and white to start with.
    void setTextColor(COLORREF color) { textColor_ = color; }
    void setBackgroundColor(COLORREF color) { backgroundColor_ = color; }

    // An empty region clips nothing away: use removeClip to paint everywhere again.
    void setClipRegion(const QRegion& region);
    void removeClip();

    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    GdiPen pen_;
    GdiBrush brush_;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    COLORREF textColor_ = Rgb(0, 0, 0);
    COLORREF backgroundColor_ = Rgb(255, 255, 255);
};

// The device context as it travels through component interfaces.
using HDC = DeviceContext*;

}  // namespace ui
