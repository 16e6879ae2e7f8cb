#pragma once

#include "components/browser/file_stamp.h"
#include "components/browser/freedesktop_thumbnail_cache.h"
#include "components/interfaces/file_type.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace browser {

// The size a picture of `picture` pixels takes in a cell of `cell`: its aspect kept, as large as
// the cell allows (enlarged when smaller). Empty when either size is.
QSize FittedThumbnailSize(QSize picture, QSize cell);

// Makes the thumbnail of one cell: a picture's (from the small thumbnail the file carries when that
// covers the cell), or the map picture of a map document. Null when
// there is none: not a regular file (a FIFO or a device file would block or never end), a picture
// that cannot be decoded or declares more pixels than the decoder allocates, a map that cannot be
// read (one over the loader's size limit is not read at all) or has no picture. With a cache, a
// picture that failed is not decoded again until it changes; one that could not be opened (for lack
// of permission, say) has not failed, and nothing of a picture that changed while its thumbnail was
// being made goes into the cache.
//
// Thread: any thread that has initialised the component runtime (maps are read through the XML
// property bag).
class ThumbnailMaker {
public:
    // Without a cache, every thumbnail is decoded from its file.
    explicit ThumbnailMaker(std::optional<FreedesktopThumbnailCache> cache);

    // A thumbnail, and what is left to do for the desktop's cache once it has been handed over (a
    // cell waits for its thumbnail, not for the cache's file).
    struct Made {
        QImage thumbnail;
        std::function<void()> fillCache;
        // The files it was made from (a map's, then its map picture's) as they were when it was
        // begun: it is stale once one of them is no longer so.
        std::vector<std::pair<QString, FileStamp>> sources;
    };

    Made make(const QString& path, FileType type, QSize cell) const;

private:
    Made ofPicture(const QString& path, const FileStamp& stamp, QSize cell) const;
    // No thumbnail, and the failure recorded in the desktop's cache once it has been handed over.
    Made failure(const QString& path, const FileStamp& stamp) const;

    std::optional<FreedesktopThumbnailCache> cache_;
};

}  // namespace browser
