#include "components/mapview/map_picture.h"

#include "components/mapview/map_geometry.h"

namespace mapview {

MapPicture::MapPicture(const QString& path, QSize client) : path_(path), size_(imaging::Image::SizeOfFile(path))
{
    if (size_.isEmpty()) {
        size_ = QSize(0, 0);
        return;
    }
    const tagRECT shown = FitPicture(size_, client);
    if (shown.right > shown.left && shown.bottom > shown.top)
        decode(QSize(shown.right - shown.left, shown.bottom - shown.top));
}

const imaging::Image& MapPicture::pixelsFor(QSize display)
{
    const bool tooSmall = pixels_.width() < std::min(display.width(), size_.width()) ||
                          pixels_.height() < std::min(display.height(), size_.height());
    if (!size_.isEmpty() && !display.isEmpty() && tooSmall) decode(display);
    return pixels_;
}

void MapPicture::decode(QSize display)
{
    imaging::Image decoded = imaging::Image::FromFile(path_, display.boundedTo(size_));
    if (decoded.size().isEmpty()) {
        // A header that reads but pixels that do not: no picture, as for any undecodable file. Pixels
        // decoded earlier stay, so a picture removed while shown keeps its last look.
        if (pixels_.size().isEmpty()) size_ = QSize(0, 0);
        return;
    }
    pixels_ = std::move(decoded);
}

}  // namespace mapview
