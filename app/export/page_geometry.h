#pragma once

#include "components/interfaces/records.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace html_export {

// Where things land on the exported 640 × 480 images and on the index page.
class PageGeometry {
public:
    static constexpr QSize kImageSize{640, 480};

    // A spot's rectangle (map picture pixels) on the map image, whose picture is `mapPicture` in
    // size and letterboxed into 640 × 480. Nothing for a picture of width 0, which cannot be mapped.
    static std::optional<tagRECT> MapToPage(QSize mapPicture, const tagRECT& bounds);

    // The centre of a spot whose rectangle on the map image is `pageRect`, kept off negative values.
    static QPoint SpotCentre(const tagRECT& pageRect);

    // The pin of a spot whose rectangle on the map image is `pageRect`: its centre moved by the map
    // image's offset on the page (less the pin's own tip).
    static QPoint PinPoint(const tagRECT& pageRect);

    // Where a picture of `source` size is drawn on a 640 × 480 image: as large as it fits, centred.
    // Nothing for a picture of width or height 0.
    static std::optional<QRect> PictureRect(QSize source);
};

}  // namespace html_export
