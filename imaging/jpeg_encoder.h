#pragma once

#include <QByteArray>
#include <QString>

namespace imaging {

class Image;

// Encodes images as JPEG files with the encoder registered for the MIME type "image/jpeg".
//
// Thread: any.
class JpegEncoder {
public:
    // Quality from 0 (smallest file) to 100 (best picture); values outside are taken as the
    // nearest end.
    explicit JpegEncoder(int quality);

    // Writes `image` to `path`, replacing the file there. Returns false, leaving any earlier file
    // untouched and no partial file behind, when the image is empty, no JPEG encoder is installed,
    // or the file cannot be written (missing folder, no permission, full disk).
    bool encode(const Image& image, const QString& path) const;

private:
    QByteArray format_;
    int quality_;
};

}  // namespace imaging
