#pragma once

#include <QBrush>
#include <QRectF>
#include <QtGlobal>

namespace imaging {

// A fill for shapes and text. Colours are ARGB (0xAARRGGBB).
class Brush {
public:
    static Brush Solid(quint32 argb);

    // A gradient over the ellipse inscribed in `ellipse`: `centreArgb` at its centre, blending to
    // `surroundArgb` on its boundary and beyond. The gradient is fixed to this ellipse, whatever
    // shape it later fills.
    static Brush PathGradient(const QRectF& ellipse, quint32 centreArgb, quint32 surroundArgb);

    const QBrush& qbrush() const { return brush_; }

private:
    explicit Brush(QBrush brush);

    QBrush brush_;
};

}  // namespace imaging
