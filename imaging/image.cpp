#include "imaging/image.h"

#include "imaging/decode_budget.h"
#include "imaging/decoder_messages.h"
#include "imaging/heif_picture.h"
#include "imaging/watched_file.h"
#include "platform/files/regular_file.h"

#include <QImageIOHandler>
#include <QImageReader>
#include <algorithm>
#include <optional>

namespace imaging {

namespace {

// A header can declare any size; a decode that would need more than this fails like an
// undecodable picture instead of exhausting memory. It bounds a full decode at 64 megapixels;
// reduced JPEG decodes (FromFile with a size) need far less and can open larger photographs.
constexpr int kAllocationLimitMegabytes = 256;

// A picture declaring more pixels than this is refused before any decoding, even where a reduced
// decode would fit the allocation limit: a header of a few bytes must not cost seconds and hundreds
// of megabytes per picture. Stitched panoramas of real cameras stay well below it.
constexpr qint64 kMaxPixels = 250'000'000;

constexpr double kMetresPerInch = 0.0254;

void prepare(QImageReader& reader)
{
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMegabytes);
}

// What libjpeg keeps besides the output while it decodes a progressive JPEG: every DCT coefficient
// of the picture (64 of 2 bytes per 8 x 8 block of each component), whatever scale the output is
// reduced to. 0 for any other file, whose decoders need little beyond the output. Reads the
// markers up to the frame header from where `file` stands.
qint64 progressiveJpegCoefficientBytes(QIODevice& file)
{
    constexpr int kMaxSegments = 4096;
    auto byte = [&file]() -> int {
        char c;
        return file.getChar(&c) ? static_cast<uchar>(c) : -1;
    };
    if (byte() != 0xFF || byte() != 0xD8)
        return 0;
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        int marker = byte();
        if (marker != 0xFF)
            return 0;
        while (marker == 0xFF)
            marker = byte();
        if (marker < 0 || marker == 0xD9 || marker == 0xDA)
            return 0;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        const int high = byte();
        const int low = byte();
        if (high < 0 || low < 0 || (high << 8 | low) < 2)
            return 0;
        const int length = (high << 8 | low) - 2;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame) {
            if (!file.seek(file.pos() + length))
                return 0;
            continue;
        }
        const bool progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        const QByteArray header = file.read(length);
        if (!progressive || header.size() < 6)
            return 0;
        auto at = [&header](int i) { return static_cast<uchar>(header[i]); };
        const qint64 height = at(1) << 8 | at(2);
        const qint64 width = at(3) << 8 | at(4);
        const int components = at(5);
        if (header.size() < 6 + 3 * components)
            return 0;
        int maxH = 1;
        int maxV = 1;
        for (int c = 0; c < components; ++c) {
            maxH = std::max(maxH, at(7 + 3 * c) >> 4);
            maxV = std::max(maxV, at(7 + 3 * c) & 0x0F);
        }
        qint64 bytes = 0;
        for (int c = 0; c < components; ++c) {
            const qint64 w = (width * (at(7 + 3 * c) >> 4) + maxH - 1) / maxH;
            const qint64 h = (height * (at(7 + 3 * c) & 0x0F) + maxV - 1) / maxV;
            bytes += ((w + 7) / 8) * ((h + 7) / 8) * 64 * 2;
        }
        return bytes;
    }
    return 0;
}

bool declaresTooManyPixels(QSize stored)
{
    return qint64(stored.width()) * stored.height() > kMaxPixels;
}

// Only a regular file is handed to a decoder: a FIFO or a device would block it or feed it forever.
bool openPicture(WatchedFile& file, const QString& path)
{
    files::RegularFile regular(path);
    if (!regular.isOpen())
        return false;
    // Unbuffered, because a buffering layer reads on past the end even of a complete file.
    return file.open(regular.release(), QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
}

// Readers report sizes as stored in the file, before the orientation turns the picture.
bool turnsSideways(const QImageReader& reader)
{
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

// The smallest of the decoder's reduced scales that still covers `wanted`, so that the final smooth
// scaling only ever shrinks and keeps its quality. Whole-number division asks for no more than the
// decoder can give at that scale, which is what lets it take the reduced path at all.
QSize reducedDecodeSize(QSize stored, QSize wanted)
{
    for (int divisor : {8, 4, 2}) {
        const QSize reduced(stored.width() / divisor, stored.height() / divisor);
        if (reduced.width() >= wanted.width() && reduced.height() >= wanted.height())
            return reduced;
    }
    return stored;
}

enum class EmbeddedThumbnail { Ignored, MayServe };

Image::Header headerOf(const HeifPicture& picture)
{
    if (picture.size().isEmpty() || declaresTooManyPixels(picture.size()))
        return {};
    return {picture.size(), picture.thumbnailSize()};
}

// HEVC and AV1 decode only at full size, so the budget is weighed on the full picture (or on the
// file's thumbnail when that serves).
QImage decodeHeif(QIODevice& file, QSize wanted, EmbeddedThumbnail embedded)
{
    const HeifPicture picture(file);
    const Image::Header header = headerOf(picture);
    if (header.size.isEmpty())
        return QImage();
    const bool fromThumbnail = embedded == EmbeddedThumbnail::MayServe && wanted.isValid() && header.thumbnailCovers(wanted);
    const HeifPicture::Source source = fromThumbnail ? HeifPicture::Source::Thumbnail : HeifPicture::Source::Primary;
    const std::optional<DecodeBudget::Reservation> reservation =
        DecodeBudget::Shared().reserve(picture.decodingBytes(source, wanted));
    if (!reservation)
        return QImage();
    return picture.decode(source, wanted);
}

// Decodes the picture at `path`, at a reduced scale no smaller than `wanted` when the decoder
// offers one (an invalid `wanted` asks for full size). A picture cut short is refused even when
// its decoder would make up the missing part.
QImage decode(const QString& path, QSize wanted, EmbeddedThumbnail embedded)
{
    WatchedFile file;
    if (!openPicture(file, path))
        return QImage();
    if (HeifPicture::Recognises(file))
        return decodeHeif(file, wanted, embedded);
    const qint64 workingBytes = progressiveJpegCoefficientBytes(file);
    if (!file.seek(0))
        return QImage();
    DecoderMessages messages;
    QImageReader reader(&file);
    prepare(reader);
    const QSize stored = reader.size();
    // A picture whose size its header does not tell cannot be weighed against the limits before
    // it is decoded; SizeOfFile gives it size 0 as well, so every caller sees it alike.
    if (stored.isEmpty() || declaresTooManyPixels(stored))
        return QImage();
    QSize output = stored;
    if (wanted.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        output = reducedDecodeSize(stored, turnsSideways(reader) ? wanted.transposed() : wanted);
        reader.setScaledSize(output);
    }
    // Four bytes a pixel: the widest format the decoders give. A GIF's frames can be larger than
    // the size its reader reports, so a GIF takes what a decode may take at most, and decodes alone.
    const qint64 outputBytes = reader.format() == "gif" ? qint64(kAllocationLimitMegabytes) << 20
                                                        : qint64(output.width()) * output.height() * 4;
    const std::optional<DecodeBudget::Reservation> reservation =
        DecodeBudget::Shared().reserve(workingBytes + outputBytes);
    if (!reservation)
        return QImage();
    const bool sideways = turnsSideways(reader);
    file.forgetLookAhead();
    QImage pixels = reader.read();
    // A picture unlike its header would be placed and scaled by a size it does not have.
    if (pixels.size() != (sideways ? output.transposed() : output))
        return QImage();
    return file.ranOut() || messages.dataEndedEarly() ? QImage() : pixels;
}

}  // namespace

Image::Image(QImage pixels) : pixels_(std::move(pixels)) {}

Image Image::FromFile(const QString& path)
{
    return Image(decode(path, QSize(), EmbeddedThumbnail::Ignored));
}

Image Image::FromFile(const QString& path, QSize size)
{
    if (size.isEmpty())
        return Image();
    return Image(decode(path, size, EmbeddedThumbnail::Ignored)).thumbnail(size);
}

Image Image::ThumbnailFromFile(const QString& path, QSize size)
{
    if (size.isEmpty())
        return Image();
    return Image(decode(path, size, EmbeddedThumbnail::MayServe)).thumbnail(size);
}

bool Image::Header::thumbnailCovers(QSize wanted) const
{
    return !embeddedThumbnail.isEmpty() && embeddedThumbnail.width() >= wanted.width() &&
           embeddedThumbnail.height() >= wanted.height();
}

Image::Header Image::HeaderOfFile(const QString& path)
{
    WatchedFile file;
    if (!openPicture(file, path))
        return {};
    if (HeifPicture::Recognises(file))
        return headerOf(HeifPicture(file));
    DecoderMessages messages;
    QImageReader reader(&file);
    prepare(reader);
    const QSize stored = reader.size();
    if (stored.isEmpty() || declaresTooManyPixels(stored))
        return {};
    return {turnsSideways(reader) ? stored.transposed() : stored, QSize()};
}

QSize Image::SizeOfFile(const QString& path)
{
    return HeaderOfFile(path).size;
}

Image Image::FromBitmap(QImage bitmap)
{
    return Image(std::move(bitmap));
}

double Image::horizontalResolution() const
{
    return pixels_.dotsPerMeterX() * kMetresPerInch;
}

double Image::verticalResolution() const
{
    return pixels_.dotsPerMeterY() * kMetresPerInch;
}

Image Image::thumbnail(QSize size) const
{
    if (pixels_.isNull() || size.isEmpty())
        return Image();
    if (size == pixels_.size())
        return *this;
    return Image(pixels_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace imaging
