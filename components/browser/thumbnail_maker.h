#pragma once

#include "components/browser/freedesktop_thumbnail_cache.h"
#include "components/interfaces/file_type.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace browser {

// The size a picture of `picture` pixels takes in a cell of `cell`: its aspect kept, as large as
// the cell allows (enlarged when smaller). Empty when either size is.
QSize FittedThumbnailSize(QSize picture, QSize cell);

// Makes the thumbnail of one cell: a picture's, or the map picture of a map document. Null when
// there is none: not a regular file (a FIFO or a device file would block or never end), a picture
// that cannot be decoded or declares more pixels than the decoder allocates, a map that cannot be
// read or has no picture.
//
// Thread: any thread that has initialised the component runtime (maps are read through the XML
// property bag).
class ThumbnailMaker {
public:
    // Without a cache, every thumbnail is decoded from its file.
    explicit ThumbnailMaker(std::optional<FreedesktopThumbnailCache> cache);

    QImage make(const QString& path, FileType type, QSize cell) const;

private:
    QImage ofPicture(const QString& path, QSize cell) const;

    std::optional<FreedesktopThumbnailCache> cache_;
};

}  // namespace browser
