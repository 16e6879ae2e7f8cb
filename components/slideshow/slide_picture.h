#pragma once

#include "imaging/image.h"

#include <QSize>
#include <QString>

namespace slideshow {

// The picture on show. Its size is the full size read from the file's header, so the fit rule
// places it exactly as if it were decoded whole; its pixels are decoded only as large as the window
// shows them (a large photograph at reduced scale, which keeps a step to the next picture quick),
// and again at a larger size when the window grows. A file that does not decode is a picture of
// size 0.
//
// Thread: the user-interface thread.
class SlidePicture {
public:
    // Decoded at once for a window of `client` size; with an empty one, at its first drawing.
    SlidePicture(const QString& path, QSize client);

    QSize size() const { return size_; }

    // The pixels to draw into a rectangle of `display` size (scaled there when they differ).
    const imaging::Image& pixelsFor(QSize display);

private:
    void decode(QSize display);

    QString path_;
    QSize size_;
    imaging::Image pixels_;
};

}  // namespace slideshow
