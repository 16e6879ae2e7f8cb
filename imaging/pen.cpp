#include "imaging/pen.h"

#include <QColor>

namespace imaging {

Pen::Pen(quint32 argb, qreal width)
    : pen_(QBrush(QColor::fromRgba(argb)), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
{
}

}  // namespace imaging
