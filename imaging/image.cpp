#include "imaging/image.h"

#include "imaging/decoder_messages.h"
#include "imaging/regular_file.h"
#include "imaging/watched_file.h"

#include <QImageIOHandler>
#include <QImageReader>

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

bool declaresTooManyPixels(QSize stored)
{
    return qint64(stored.width()) * stored.height() > kMaxPixels;
}

// Only a regular file is handed to a decoder: a FIFO or a device would block it or feed it forever.
bool openPicture(WatchedFile& file, const QString& path)
{
    RegularFile regular(path);
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

// Decodes the picture at `path`, at a reduced scale no smaller than `wanted` when the decoder
// offers one (an invalid `wanted` asks for full size). A picture cut short is refused even when
// its decoder would make up the missing part.
QImage decode(const QString& path, QSize wanted)
{
    WatchedFile file;
    if (!openPicture(file, path))
        return QImage();
    DecoderMessages messages;
    QImageReader reader(&file);
    prepare(reader);
    const QSize stored = reader.size();
    if (declaresTooManyPixels(stored))
        return QImage();
    if (wanted.isValid() && stored.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(reducedDecodeSize(stored, turnsSideways(reader) ? wanted.transposed() : wanted));
    file.forgetLookAhead();
    QImage pixels = reader.read();
    return file.ranOut() || messages.dataEndedEarly() ? QImage() : pixels;
}

}  // namespace

Image::Image(QImage pixels) : pixels_(std::move(pixels)) {}

Image Image::FromFile(const QString& path)
{
    return Image(decode(path, QSize()));
}

Image Image::FromFile(const QString& path, QSize size)
{
    if (size.isEmpty())
        return Image();
    return Image(decode(path, size)).thumbnail(size);
}

QSize Image::SizeOfFile(const QString& path)
{
    WatchedFile file;
    if (!openPicture(file, path))
        return QSize();
    DecoderMessages messages;
    QImageReader reader(&file);
    prepare(reader);
    const QSize stored = reader.size();
    if (stored.isEmpty() || declaresTooManyPixels(stored))
        return QSize();
    return turnsSideways(reader) ? stored.transposed() : stored;
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
