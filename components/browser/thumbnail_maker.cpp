#include "components/browser/thumbnail_maker.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/xml_property_bag.h"
#include "imaging/image.h"
#include "platform/com/runtime.h"
#include "platform/files/regular_file.h"
#include "platform/ui/qt_strings.h"


namespace browser {

namespace {

// The background picture named by the map document at `path`; empty when it cannot be read.
QString MapPictureOf(const QString& path)
{
    com::ComPtr<IXMLPropertyBag> bag;
    if (com::FAILED(com::CreateInstance(CLSID_CXMLPropertyBag, bag))) return {};
    com::ComPtr<com::IUnknown> loaded;
    const com::Bstr name = ui::ToBstr(path);
    if (com::FAILED(bag->LoadFromFile(name.get(), nullptr, loaded.put())) || !loaded) return {};
    const auto document = loaded.tryAs<IDocument>();
    if (!document) return {};
    com::Bstr mapFile;
    document->GetMapFile(mapFile.put());
    return ui::ToQString(mapFile.get());
}

// The size of the desktop cache's thumbnail of a picture: shrunk to fit its square, never enlarged.
QSize LargeSizeFor(QSize original)
{
    const int large = FreedesktopThumbnailCache::kLargeSize;
    if (original.width() <= large && original.height() <= large) return original;
    return original.scaled(large, large, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

}  // namespace

QSize FittedThumbnailSize(QSize picture, QSize cell)
{
    if (picture.isEmpty() || cell.isEmpty()) return {};
    const double w = picture.width(), h = picture.height();
    const double W = cell.width(), H = cell.height();
    if (h / w <= H / W) return QSize(cell.width(), static_cast<int>(h / (w / W)));
    return QSize(static_cast<int>(w / (h / H)), cell.height());
}

ThumbnailMaker::ThumbnailMaker(std::optional<FreedesktopThumbnailCache> cache) : cache_(std::move(cache)) {}

ThumbnailMaker::Made ThumbnailMaker::make(const QString& path, FileType type, QSize cell) const
{
    if (type == kFileTypePicture) return ofPicture(path, FileStamp::Of(path), cell);
    if (type != kFileTypeMap) return {};
    const FileStamp stamp = FileStamp::Of(path);
    Made made;
    if (const QString picture = MapPictureOf(path); !picture.isEmpty())
        made = ofPicture(picture, FileStamp::Of(picture), cell);
    made.sources.insert(made.sources.begin(), {path, stamp});
    return made;
}

ThumbnailMaker::Made ThumbnailMaker::ofPicture(const QString& path, const FileStamp& stamp, QSize cell) const
{
    Made made;
    made.sources.push_back({path, stamp});
    // Only a regular file is read. One that cannot be opened now is left alone, not recorded as a
    // failure: a chmod that lets it be read later changes neither its time nor its size.
    if (!files::RegularFile(path).isOpen()) return made;
    const qint64 modified = stamp.modifiedSeconds();
    if (cache_) {
        if (const auto cached = cache_->find(path, modified, stamp.bytes); cached && !cached->original.isEmpty()) {
            const QSize target = FittedThumbnailSize(cached->original, cell);
            // The cached thumbnail serves cells it covers, and every cell when it is the picture
            // itself; larger cells are decoded afresh rather than blurred.
            const bool covers = target.width() <= cached->image.width() && target.height() <= cached->image.height();
            if (target.isEmpty()) return made;
            if (covers || cached->image.size() == cached->original) {
                made.thumbnail = cached->image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                return made;
            }
        }
        if (cache_->failed(path, modified, stamp.bytes)) return made;
    }
    const imaging::Image::Header header = imaging::Image::HeaderOfFile(path);
    const QSize original = header.size;
    if (original.isEmpty()) return failure(path, stamp);
    const QSize target = FittedThumbnailSize(original, cell);
    if (target.isEmpty()) return made;
    const QSize large = LargeSizeFor(original);
    // A thumbnail the file carries (a phone's HEIC photograph) is decoded instead of the picture
    // when it covers the cell; the desktop's cache is filled from it only when it covers the
    // cache's size too, never by decoding the picture for the cache's sake alone.
    const bool fillCache = cache_ && !cache_->holds(path) &&
                           (!header.thumbnailCovers(target) || header.thumbnailCovers(large));
    // One decode serves both the cell and the desktop's cache, at the larger of the two sizes.
    const QSize decodeSize = fillCache && large.width() > target.width() ? large : target;
    const imaging::Image decoded = imaging::Image::ThumbnailFromFile(path, decodeSize);
    if (decoded.size().isEmpty()) return failure(path, stamp);
    made.thumbnail = decoded.thumbnail(target).pixels();
    // A picture rewritten while it was decoded may have given pixels of either version, or of both:
    // the cell shows them until it asks again, but the desktop's cache would keep them for good.
    if (fillCache && FileStamp::Of(path) == stamp)
        made.fillCache = [cache = *cache_, path, modified, bytes = stamp.bytes, original, large, decoded] {
            cache.store(path, modified, bytes, original, decoded.thumbnail(large).pixels());
        };
    return made;
}

ThumbnailMaker::Made ThumbnailMaker::failure(const QString& path, const FileStamp& stamp) const
{
    Made made;
    made.sources.push_back({path, stamp});
    if (!cache_ || cache_->holds(path) || FileStamp::Of(path) != stamp) return made;
    made.fillCache = [cache = *cache_, path, modified = stamp.modifiedSeconds(), bytes = stamp.bytes] {
        cache.storeFailure(path, modified, bytes);
    };
    return made;
}

}  // namespace browser
