#pragma once

#include <QRect>
#include <QString>

class QImage;

namespace slideshow {

// Paints a picture's caption in a band across the foot of the picture's rectangle: white text on a
// dark translucent band, so that it reads over any picture, light or dark. Long captions wrap onto
// at most three lines and the last one is elided. Nothing is painted for an empty caption or
// rectangle.
void PaintCaptionBand(QImage& target, const QRect& picture, const QString& caption);

}  // namespace slideshow
