#include "components/slideshow/slide_picture.h"

#include "components/slideshow/slide_geometry.h"

#include <algorithm>

namespace slideshow {

SlidePicture::SlidePicture(const QString& path, QSize client)
    : path_(path), size_(imaging::Image::SizeOfFile(path))
{
    if (size_.isEmpty()) {
        size_ = QSize(0, 0);
        return;
    }
    const tagRECT shown = FitSlide(size_, client);
    if (shown.right > shown.left && shown.bottom > shown.top)
        decode(QSize(shown.right - shown.left, shown.bottom - shown.top));
}

const imaging::Image& SlidePicture::pixelsFor(QSize display)
{
    const bool tooSmall = pixels_.width() < std::min(display.width(), size_.width()) ||
                          pixels_.height() < std::min(display.height(), size_.height());
    if (!size_.isEmpty() && !display.isEmpty() && tooSmall) decode(display);
    return pixels_;
}

void SlidePicture::decode(QSize display)
{
    imaging::Image decoded = imaging::Image::FromFile(path_, display.boundedTo(size_));
    if (decoded.size().isEmpty()) {
        // A header that reads but pixels that do not: the picture counts as undecodable, unless
        // pixels decoded earlier are there to show.
        if (pixels_.size().isEmpty()) size_ = QSize(0, 0);
        return;
    }
    pixels_ = std::move(decoded);
}

}  // namespace slideshow
