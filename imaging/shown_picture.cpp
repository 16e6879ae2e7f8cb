#include "imaging/shown_picture.h"

#include <algorithm>

namespace imaging {

ShownPicture::ShownPicture(const QString& path) : path_(path), size_(Image::SizeOfFile(path))
{
    if (size_.isEmpty()) size_ = QSize(0, 0);
}

const Image& ShownPicture::pixelsFor(QSize display)
{
    const bool tooSmall = pixels_.width() < std::min(display.width(), size_.width()) ||
                          pixels_.height() < std::min(display.height(), size_.height());
    if (!size_.isEmpty() && !display.isEmpty() && tooSmall) decode(display);
    return pixels_;
}

void ShownPicture::decode(QSize display)
{
    Image decoded = Image::FromFile(path_, display.boundedTo(size_));
    if (decoded.size().isEmpty()) {
        // A header that reads but pixels that do not: no picture, as for any undecodable file. Pixels
        // decoded earlier stay, so a picture removed while shown keeps its last look.
        if (pixels_.size().isEmpty()) size_ = QSize(0, 0);
        return;
    }
    pixels_ = std::move(decoded);
}

}  // namespace imaging
