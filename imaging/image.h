#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace imaging {

// A decoded picture. A picture that cannot be decoded (missing, unreadable, of an unknown format,
// cut short, or declaring more pixels than the decoder will allocate) is an Image whose width and
// height are 0: callers test the size, there is no error to handle. A picture is taken as cut short
// when its decoder asks for bytes past the end of the file; an uncompressed BMP decoder never does,
// so a short BMP shows what it holds.
//
// Pictures are shown the way they are meant to be seen: an EXIF orientation (a HEIF container's
// rotation and mirroring) is applied while decoding, and SizeOfFile reports the size after it, so
// the size a caller measures and the pixels it later decodes always agree.
//
// Formats: JPEG, PNG, GIF, BMP, TIFF and WebP through Qt's decoders; HEIC, HEIF and AVIF through
// libheif, recognised by their content whatever the file is called.
//
// Thread: an Image is a value (implicitly shared pixels); any thread may decode and use its own.
class Image {
public:
    Image() = default;

    static Image FromFile(const QString& path);

    // Decodes straight to exactly `size` (aspect not kept; an empty size gives an empty Image).
    // A JPEG larger than needed is decoded at 1/2, 1/4 or 1/8 scale before the final high-quality
    // scaling, so thumbnails and exports of large photographs never decode them at full size. HEVC
    // and AV1 have no such scales: a HEIF picture is decoded whole and averaged down by a whole
    // factor straight after.
    static Image FromFile(const QString& path, QSize size);

    // Decodes like FromFile(path, size), from the small thumbnail the file carries beside the
    // picture when that covers `size` (Header::thumbnailCovers): a phone's HEIC photograph decodes
    // in a fraction of the time. For the file browser's cells, which are no larger.
    static Image ThumbnailFromFile(const QString& path, QSize size);

    // What a picture file tells of itself without its pixels being decoded.
    struct Header {
        QSize size;  // as SizeOfFile
        // The small picture phones store beside the photograph (about 320 x 240 in a HEIC file),
        // turned like it; empty when there is none or its shape is not the picture's.
        QSize embeddedThumbnail;

        bool thumbnailCovers(QSize wanted) const;
    };
    static Header HeaderOfFile(const QString& path);

    // The picture's size read from its header without decoding its pixels; empty when the header
    // cannot be read. A picture whose pixels turn out to be corrupt may still decode to size 0.
    static QSize SizeOfFile(const QString& path);

    // For the program's own bitmap resources.
    static Image FromBitmap(QImage bitmap);

    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    QSize size() const { return pixels_.size(); }

    // Dots per inch, as stored with the picture.
    double horizontalResolution() const;
    double verticalResolution() const;

    // A new Image of exactly `size`, shrunk or enlarged with high-quality filtering, resolution
    // kept. Empty when this Image or `size` is empty.
    Image thumbnail(QSize size) const;

    const QImage& pixels() const { return pixels_; }

private:
    explicit Image(QImage pixels);

    QImage pixels_;
};

}  // namespace imaging
