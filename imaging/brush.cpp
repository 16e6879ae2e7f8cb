#include "imaging/brush.h"

#include <QColor>
#include <QRadialGradient>
#include <QTransform>

namespace imaging {

Brush::Brush(QBrush brush) : brush_(std::move(brush)) {}

Brush Brush::Solid(quint32 argb)
{
    return Brush(QBrush(QColor::fromRgba(argb)));
}

Brush Brush::PathGradient(const QRectF& ellipse, quint32 centreArgb, quint32 surroundArgb)
{
    // A radial gradient is circular: lay it out on the unit circle and let the brush transform
    // stretch that circle onto the ellipse.
    QRadialGradient gradient(QPointF(0, 0), 1.0);
    gradient.setColorAt(0.0, QColor::fromRgba(centreArgb));
    gradient.setColorAt(1.0, QColor::fromRgba(surroundArgb));
    gradient.setSpread(QGradient::PadSpread);
    QBrush brush(gradient);
    brush.setTransform(QTransform::fromTranslate(ellipse.center().x(), ellipse.center().y())
                           .scale(ellipse.width() / 2, ellipse.height() / 2));
    return Brush(std::move(brush));
}

}  // namespace imaging
