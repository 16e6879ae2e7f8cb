#include "imaging/jpeg_encoder.h"

#include "imaging/image.h"

#include <QImageWriter>
#include <QSaveFile>
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

bool JpegEncoder::encode(const Image& image, const QString& path) const
{
    if (format_.isEmpty() || image.size().isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, format_);
    writer.setQuality(quality_);
    if (!writer.write(image.pixels())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace imaging
