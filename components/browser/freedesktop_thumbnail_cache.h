#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace browser {

// The desktop's shared thumbnail cache ($XDG_CACHE_HOME/thumbnails/large/, as the freedesktop
// Thumbnail Managing Standard lays it out): PNGs of at most 256 x 256 pixels named by the MD5 of the
// picture's file URI, carrying that URI and the picture's modification time, so that file managers
// and this program make each thumbnail once between them.
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
    explicit FreedesktopThumbnailCache(QString largeFolder);

    // The thumbnail of the picture at `path` when one exists that was made from the picture as it is
    // now (the same URI and modification time).
    std::optional<Entry> find(const QString& path, qint64 modified) const;

    // Files `image` (already at most kLargeSize on each side) for the picture. Failures are silent: a
    // cache that cannot be written only costs time.
    void store(const QString& path, qint64 modified, QSize original, const QImage& image) const;

    // The file a picture's thumbnail goes to.
    QString thumbnailPath(const QString& path) const;

    // Pictures of the cache itself are never cached again.
    bool holds(const QString& path) const;

private:
    QString largeFolder_;
};

}  // namespace browser
