#include "tests/support/test_pictures.h"

#include <QBuffer>
#include <stdexcept>

namespace test_support {

QImage TestPictures::Filled(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QImage TestPictures::Halves(QSize size, bool clearRight)
{
    QImage picture(size, clearRight ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, x < size.width() / 2 ? 0xFFFF0000 : clearRight ? 0x000000FF : 0xFF0000FF);
    return picture;
}

QByteArray TestPictures::Webp(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "WEBP", 90)) throw std::runtime_error("cannot write a WebP picture");
    return bytes;
}

}  // namespace test_support
