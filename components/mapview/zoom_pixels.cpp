#include "components/mapview/zoom_pixels.h"

#include <QtConcurrent/QtConcurrentRun>

namespace mapview {

namespace {

bool Covers(QSize pixels, QSize wanted)
{
    return pixels.width() >= wanted.width() && pixels.height() >= wanted.height();
}

}  // namespace

ZoomPixels::ZoomPixels(std::function<void()> arrived) : arrived_(std::move(arrived))
{
    QObject::connect(&decode_, &QFutureWatcherBase::finished, [this] { finished(); });
}

ZoomPixels::~ZoomPixels()
{
    decode_.disconnect();
    decode_.waitForFinished();
}

const imaging::Image& ZoomPixels::pixelsFor(const QString& path, QSize size, const imaging::Image& fallback)
{
    if (path != path_) reset();
    path_ = path;
    if (size != wanted_) {
        wanted_ = size;
        if (pixels_.size() != wanted_ && !decode_.isRunning()) start();
    }
    if (pixels_.size() == wanted_) return pixels_;
    return pixels_.width() > fallback.width() ? pixels_ : fallback;
}

void ZoomPixels::reset()
{
    ++generation_;
    path_.clear();
    wanted_ = QSize();
    pixels_ = imaging::Image();
}

void ZoomPixels::start()
{
    decodeGeneration_ = generation_;
    decodeWanted_ = wanted_;
    // Larger pixels in memory are scaled down rather than decoded again: a zoom step out from 100 %
    // costs a resampling, not a decode of the whole photograph.
    decode_.setFuture(QtConcurrent::run([path = path_, wanted = wanted_, larger = pixels_] {
        if (Covers(larger.size(), wanted)) return larger.thumbnail(wanted);
        return imaging::Image::FromFile(path, wanted);
    }));
}

void ZoomPixels::finished()
{
    if (decodeGeneration_ == generation_ && decodeWanted_ == wanted_) {
        // A picture that does not decode is not asked for again at the same size.
        if (const imaging::Image made = decode_.result(); !made.size().isEmpty()) {
            pixels_ = made;
            arrived_();
        }
        return;
    }
    // The zoom moved on, or another map came, while these were made: the pixels now wanted are next.
    if (!path_.isEmpty() && pixels_.size() != wanted_) start();
}

}  // namespace mapview
