#pragma once

#include <QByteArray>
#include <QImage>

namespace test_support {

// Writes test pictures in HEIF containers through libheif's own encoders, as phones (HEIC) and
// cameras and apps (AVIF) write them: a rotation or mirroring stored as irot/imir, a thumbnail
// beside the picture, 10-bit samples, alpha.
class HeifWriter {
public:
    enum class Codec { Hevc, Av1 };
    struct Options {
        Codec codec = Codec::Hevc;
        // 8, or 10 (AV1 at 4:2:2: Debian's aom asserts on 10-bit 4:2:0 and 4:4:4).
        int bitDepth = 8;
        // How the stored picture is turned to be seen, as an EXIF orientation value (6: a quarter
        // turn clockwise).
        int orientation = 1;
        // The largest side of a thumbnail stored beside the picture; 0 for none.
        int thumbnailSize = 0;
        // What the thumbnail shows, scaled down; the picture itself when null.
        QImage thumbnail;
    };

    // The file's bytes; throws when libheif cannot write them.
    static QByteArray Encode(const QImage& picture, const Options& options);

    // `heif` with the size every image of it declares (its "ispe" box) changed to `size`: a header
    // that lies about the picture.
    static QByteArray DeclaringSize(QByteArray heif, QSize size);
};

}  // namespace test_support
