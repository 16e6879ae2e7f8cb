#include "imaging/jpeg_encoder.h"

#include "imaging/image.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>

namespace imaging {

namespace {

QByteArray jpegFormat()
{
    const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType("image/jpeg");
    return formats.isEmpty() ? QByteArray() : formats.first();
}

}  // namespace

JpegEncoder::JpegEncoder(int quality) : format_(jpegFormat()), quality_(std::clamp(quality, 0, 100)) {}

QByteArray JpegEncoder::encode(const Image& image) const
{
    if (format_.isEmpty() || image.size().isEmpty())
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format_);
    writer.setQuality(quality_);
    return writer.write(image.pixels()) ? bytes : QByteArray();
}

}  // namespace imaging
