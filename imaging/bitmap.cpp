#include "imaging/bitmap.h"

#include <QtMath>

namespace imaging {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

}  // namespace

Bitmap::Bitmap(QSize size, double horizontalDpi, double verticalDpi)
    : pixels_(size, QImage::Format_RGB888)
{
    pixels_.setDotsPerMeterX(qRound(horizontalDpi * kInchesPerMetre));
    pixels_.setDotsPerMeterY(qRound(verticalDpi * kInchesPerMetre));
}

}  // namespace imaging
