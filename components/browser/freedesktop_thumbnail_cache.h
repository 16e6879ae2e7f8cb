#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace browser {

// The desktop's shared thumbnail cache ($XDG_CACHE_HOME/thumbnails/large/, as the freedesktop
// Thumbnail Managing Standard lays it out): PNGs of at most 256 x 256 pixels named by the MD5 of the
// picture's file URI, carrying that URI and the picture's modification time and size, so that file
// managers and this program make each thumbnail once between them. A picture that could not be made
// into a thumbnail is recorded under thumbnails/fail/pinlore/ (the standard's folder of this
// program's failures), so that it is not decoded again on every visit until it changes. The cache's
// files are read only when they are regular files: another program may have put anything there.
//
// Thread: any; every call stands alone (files are written under a temporary name and renamed).
class FreedesktopThumbnailCache {
public:
    static constexpr int kLargeSize = 256;

    struct Entry {
        QImage image;
        QSize original;  // the picture's size, when the thumbnail says it
    };

    // Under the cache folder of the environment at the time of the call.
    FreedesktopThumbnailCache();
    // Failures go to fail/pinlore/ beside `largeFolder`.
    explicit FreedesktopThumbnailCache(QString largeFolder);

    // The thumbnail of the picture at `path` when one exists that was made from the picture as it is
    // now (the same URI, modification time in seconds and size in bytes: a picture rewritten within
    // the second keeps its time).
    std::optional<Entry> find(const QString& path, qint64 modified, qint64 bytes) const;

    // Files `image` (already at most kLargeSize on each side) for the picture. Failures are silent: a
    // cache that cannot be written only costs time.
    void store(const QString& path, qint64 modified, qint64 bytes, QSize original, const QImage& image) const;

    // Whether making a thumbnail of the picture as it is now has failed before. Its size counts as
    // well as its time: a picture still being copied fails, and may be complete within the second.
    bool failed(const QString& path, qint64 modified, qint64 bytes) const;

    // Records that no thumbnail can be made of the picture as it is now. Silent like store().
    void storeFailure(const QString& path, qint64 modified, qint64 bytes) const;

    // The file a picture's thumbnail goes to.
    QString thumbnailPath(const QString& path) const;

    // The file that records a picture's failure.
    QString failurePath(const QString& path) const;

    // Pictures of the cache itself are never cached again.
    bool holds(const QString& path) const;

private:
    // Writes `image` with the standard's keys into `folder`, a folder only its owner can read.
    void write(const QString& folder, const QString& file, const QString& path, qint64 modified, qint64 bytes,
               QImage image) const;

    QString largeFolder_;
    QString failFolder_;
};

}  // namespace browser
