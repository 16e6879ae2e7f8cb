#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

namespace test_support {

// Pictures whose colours tell where their pixels went: turned, mirrored, scaled or letterboxed.
class TestPictures {
public:
    static QImage Filled(QSize size, QColor colour);
    // Red on the left half, blue on the right (the right half transparent when `clearRight`).
    static QImage Halves(QSize size, bool clearRight = false);
    // `picture` as the bytes of a WebP file, as a browser saves a picture from the web.
    static QByteArray Webp(const QImage& picture);
};

}  // namespace test_support
