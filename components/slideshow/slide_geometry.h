#pragma once

#include "components/interfaces/records.h"

#include <QSize>

// The arithmetic of the slide show's two pictures. Floating-point results are truncated toward
// zero; halving is integer division. A zero picture or window dimension never divides.
namespace slideshow {

// Where a picture of `picture` size is drawn in a window of `client` size: a picture smaller than
// the window in both directions keeps its size, a larger one shrinks with its aspect kept; both are
// centred. {0, 0, 0, 0} when any of the four dimensions is 0.
tagRECT FitSlide(QSize picture, QSize client);

// The size of the corner thumbnail of a map picture in a box: as large as the box allows with the
// picture's aspect (enlarged when the picture is smaller). Empty when either size is.
QSize CornerThumbnailSize(QSize picture, QSize box);

}  // namespace slideshow
