#pragma once

#include <QPen>
#include <QtGlobal>

namespace imaging {

// An outline of an ARGB colour (0xAARRGGBB) and a width in drawing units. The stroke is centred on
// the geometric edge, half inside and half outside; corners are mitred so a rectangle's corners
// stay square.
class Pen {
public:
    Pen(quint32 argb, qreal width);

    const QPen& qpen() const { return pen_; }

private:
    QPen pen_;
};

}  // namespace imaging
