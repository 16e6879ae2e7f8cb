#pragma once

#include "imaging/image.h"

#include <QSize>
#include <QString>

namespace imaging {

// A picture shown in a window. Its size, read from the file's header, is what the window places it
// by, so it lands where the full-size picture would; its pixels are decoded only as large as they
// are shown (a large photograph at reduced scale) and again at a larger size when the window grows.
// A file that does not decode is a picture of size 0.
//
// Thread: the thread that shows it.
class ShownPicture {
public:
    // Reads the header only.
    explicit ShownPicture(const QString& path);

    QSize size() const { return size_; }

    // The pixels to draw into a rectangle of `display` size (scaled there when they differ). A first
    // decoding that fails makes this a picture of size 0.
    const Image& pixelsFor(QSize display);
    // The pixels decoded so far, at whatever size, without decoding.
    const Image& pixels() const { return pixels_; }

private:
    void decode(QSize display);

    QString path_;
    QSize size_;
    Image pixels_;
};

}  // namespace imaging
