#pragma once

#include <QImage>
#include <QIODevice>
#include <QSize>
#include <QtGlobal>

struct heif_context;
struct heif_image_handle;

namespace imaging {

// A picture in a HEIF container, decoded by libheif: HEIC (HEVC) as phones write it, AVIF (AV1).
// libheif reads the file through this class's reader, so it reads the boxes that describe the
// picture and then only the bytes of the image it decodes, and is refused any byte past the end of
// the file: a file cut short fails instead of decoding what its decoder would make up.
//
// Sizes and pixels are as the picture is shown: the rotation, mirroring and cropping the container
// asks for (irot, imir, clap) are applied, which is what phones write to turn a picture. An EXIF
// orientation beside them repeats what they say and is not applied a second time. Pixels come out
// at 8 bits a channel whatever the depth stored (10-bit AVIF), with their alpha when there is one.
//
// Thread: one thread at a time; the file is read only from the calls made on it.
class HeifPicture {
public:
    enum class Source { Primary, Thumbnail };

    // Whether `file` begins as a HEIF container that libheif reads. Leaves `file` at its start.
    static bool Recognises(QIODevice& file);

    // Reads the container's description from `file`, which must stay open while this lives.
    explicit HeifPicture(QIODevice& file);
    ~HeifPicture();
    HeifPicture(const HeifPicture&) = delete;
    HeifPicture& operator=(const HeifPicture&) = delete;

    // Empty when the container cannot be read.
    QSize size() const { return size_; }

    // The small picture a file carries beside its own (phones write one of about 320 x 240); empty
    // when there is none, or when its shape is not the picture's (one its writer forgot to turn).
    QSize thumbnailSize() const { return thumbnailSize_; }

    // What decoding `source` reduced to `output` holds at its peak, in bytes, for the budget: the
    // decoder's planes (chroma at a quarter of the luma each, as cameras and phones store it), the
    // 8-bit picture they are converted into, and the reduced copy.
    qint64 decodingBytes(Source source, QSize output) const;

    // `source`'s size reduced by the largest whole factor that keeps it no smaller than `wanted`;
    // its full size when `wanted` is not valid.
    QSize reducedSize(Source source, QSize wanted) const;

    // Decodes `source` at reducedSize(source, wanted): HEVC and AV1 decode only at full size, so a
    // box filter averages it down right after. Null when the picture cannot be decoded or turns
    // out to be another size than its container declares.
    QImage decode(Source source, QSize wanted) const;

private:
    const heif_image_handle* handleOf(Source source) const;
    int reductionFactor(Source source, QSize wanted) const;

    heif_context* context_ = nullptr;
    heif_image_handle* primary_ = nullptr;
    heif_image_handle* thumbnail_ = nullptr;
    QSize size_;
    QSize thumbnailSize_;
};

}  // namespace imaging
