#include "imaging/image.h"

#include "imaging/watched_file.h"

#include <QImageIOHandler>
#include <QImageReader>

namespace imaging {

namespace {

// A header can declare any size; a decode that would need more than this fails like an
// undecodable picture instead of exhausting memory. It bounds a full decode at 64 megapixels;
// reduced JPEG decodes (FromFile with a size) need far less and can open larger photographs.
constexpr int kAllocationLimitMegabytes = 256;

constexpr double kMetresPerInch = 0.0254;

void prepare(QImageReader& reader)
{
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMegabytes);
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
    WatchedFile file(path);
    // Unbuffered, because a buffering layer reads on past the end even of a complete file.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return QImage();
    QImageReader reader(&file);
    prepare(reader);
    const QSize stored = reader.size();
    if (wanted.isValid() && stored.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(reducedDecodeSize(stored, turnsSideways(reader) ? wanted.transposed() : wanted));
    file.forgetLookAhead();
    QImage pixels = reader.read();
    return file.ranOut() ? QImage() : pixels;
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
    QImageReader reader(path);
    prepare(reader);
    const QSize stored = reader.size();
    if (stored.isEmpty())
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
