#pragma once

#include "imaging/image.h"

#include <QImage>
#include <QSize>

namespace imaging {

// A 24-bit RGB bitmap to draw on (through Graphics on device()) and to encode (through image()).
// Its pixels start unspecified: clear it before drawing.
//
// Thread: any, one at a time.
class Bitmap {
public:
    // Resolutions in dots per inch, as Image reports them.
    Bitmap(QSize size, double horizontalDpi, double verticalDpi);

    QPaintDevice& device() { return pixels_; }

    // The pixels drawn so far; take it after the Graphics on device() has ended.
    Image image() const { return Image::FromBitmap(pixels_); }

private:
    QImage pixels_;
};

}  // namespace imaging
