#pragma once

#include "imaging/image.h"

#include <QFutureWatcher>
#include <QSize>
#include <QString>
#include <functional>

namespace mapview {

// The map picture's pixels for the zoomed map view, made at the size the zoom shows them (a large
// photograph stays sharp at 100 %, and is never held larger than it is shown below that). They are
// made off the user-interface thread: until they arrive the view draws the best pixels it has, so
// that a zoom step answers at once, and `arrived` asks it to draw again. The pixels of one zoom are
// scaled down from larger ones in memory when there are some, else decoded from the file.
//
// Thread: the user-interface thread; one decode runs at a time on Qt's thread pool, and the object
// waits for it when it goes.
class ZoomPixels {
public:
    explicit ZoomPixels(std::function<void()> arrived);
    ~ZoomPixels();
    ZoomPixels(const ZoomPixels&) = delete;
    ZoomPixels& operator=(const ZoomPixels&) = delete;

    // The pixels to draw the picture at `path` from, for `size` device pixels: those made for that
    // size when they are there, else the larger of what was made before and `fallback` while the
    // right ones are being made.
    const imaging::Image& pixelsFor(const QString& path, QSize size, const imaging::Image& fallback);

    // Forgets the pixels, and what a decode under way brings (another map, or the view is back at
    // its fit).
    void reset();

private:
    void start();
    void finished();

    std::function<void()> arrived_;
    QString path_;
    QSize wanted_;
    imaging::Image pixels_;
    QFutureWatcher<imaging::Image> decode_;
    // What the decode under way makes: for which map (those started before the last reset are
    // for another) and at which size.
    quint64 generation_ = 0;
    quint64 decodeGeneration_ = 0;
    QSize decodeWanted_;
};

}  // namespace mapview
