#pragma once

#include <QByteArray>
#include <QString>

namespace imaging {

class Image;

// Encodes images as JPEG data with the encoder registered for the MIME type "image/jpeg".
//
// Thread: any.
class JpegEncoder {
public:
    // Quality from 0 (smallest file) to 100 (best picture); values outside are taken as the
    // nearest end.
    explicit JpegEncoder(int quality);

    // The JPEG file's bytes; empty when the image is empty or no JPEG encoder is installed. Writing
    // them is left to the caller, which knows how its files must be replaced.
    QByteArray encode(const Image& image) const;

private:
    QByteArray format_;
    int quality_;
};

}  // namespace imaging
