#include "components/browser/freedesktop_thumbnail_cache.h"

#include "platform/files/regular_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace browser {

namespace {

QByteArray FileUri(const QString& path)
{
    return QUrl::fromLocalFile(path).toEncoded();
}

QString FileName(const QString& path)
{
    return QString::fromLatin1(QCryptographicHash::hash(FileUri(path), QCryptographicHash::Md5).toHex()) +
           QStringLiteral(".png");
}

// Whether `image` was made from the picture at `path` as it is now: its time alone would trust a
// picture rewritten within the second the thumbnail was made in, so its size counts too where the
// thumbnail tells it (the standard leaves the key to each program; this one always writes it).
bool Describes(const QImage& image, const QString& path, qint64 modified, qint64 bytes)
{
    const QString size = image.text(QStringLiteral("Thumb::Size"));
    return image.text(QStringLiteral("Thumb::URI")).toUtf8() == FileUri(path) &&
           image.text(QStringLiteral("Thumb::MTime")) == QString::number(modified) &&
           (size.isEmpty() || size == QString::number(bytes));
}

// A PNG of the cache of at most `largest` pixels a side. Any other program may have put something
// else under the name, a FIFO or a device even: only a regular file is read.
std::optional<QImage> ReadCacheFile(const QString& file, int largest)
{
    files::RegularFile regular(file);
    if (!regular.isOpen()) return std::nullopt;
    QFile contents;
    if (!contents.open(regular.release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return std::nullopt;
    QImageReader reader(&contents, "png");
    const QSize declared = reader.size();
    if (declared.isEmpty() || declared.width() > largest || declared.height() > largest) return std::nullopt;
    QImage image;
    // The keys are read from the decoded image: the reader's own text() splits keys at ':'.
    if (!reader.read(&image)) return std::nullopt;
    return image;
}

}  // namespace

FreedesktopThumbnailCache::FreedesktopThumbnailCache()
    : FreedesktopThumbnailCache(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                                QStringLiteral("/thumbnails/large"))
{
}

FreedesktopThumbnailCache::FreedesktopThumbnailCache(QString largeFolder)
    : largeFolder_(std::move(largeFolder)), failFolder_(QFileInfo(largeFolder_).path() + QStringLiteral("/fail/pinlore"))
{
}

QString FreedesktopThumbnailCache::thumbnailPath(const QString& path) const
{
    return largeFolder_ + u'/' + FileName(path);
}

QString FreedesktopThumbnailCache::failurePath(const QString& path) const
{
    return failFolder_ + u'/' + FileName(path);
}

bool FreedesktopThumbnailCache::holds(const QString& path) const
{
    return path.startsWith(largeFolder_ + u'/') || path.startsWith(failFolder_ + u'/');
}

std::optional<FreedesktopThumbnailCache::Entry> FreedesktopThumbnailCache::find(const QString& path, qint64 modified,
                                                                                 qint64 bytes) const
{
    std::optional<QImage> image = ReadCacheFile(thumbnailPath(path), kLargeSize);
    if (!image || !Describes(*image, path, modified, bytes)) return std::nullopt;
    Entry entry;
    entry.image = std::move(*image);
    entry.original = QSize(entry.image.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                           entry.image.text(QStringLiteral("Thumb::Image::Height")).toInt());
    return entry;
}

bool FreedesktopThumbnailCache::failed(const QString& path, qint64 modified, qint64 bytes) const
{
    // A failure record is a token picture; anything larger is not one of ours.
    const std::optional<QImage> record = ReadCacheFile(failurePath(path), 16);
    return record && Describes(*record, path, modified, bytes);
}

void FreedesktopThumbnailCache::store(const QString& path, qint64 modified, qint64 bytes, QSize original,
                                      const QImage& image) const
{
    if (image.isNull()) return;
    QImage tagged = image;
    tagged.setText(QStringLiteral("Thumb::Image::Width"), QString::number(original.width()));
    tagged.setText(QStringLiteral("Thumb::Image::Height"), QString::number(original.height()));
    write(largeFolder_, thumbnailPath(path), path, modified, bytes, std::move(tagged));
}

void FreedesktopThumbnailCache::storeFailure(const QString& path, qint64 modified, qint64 bytes) const
{
    // fail/ is made here as well, so that it is private too, not only this program's folder in it.
    const QString failures = QFileInfo(failFolder_).path();
    if (!QDir().mkpath(failures)) return;
    QFile::setPermissions(failures, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QImage record(1, 1, QImage::Format_ARGB32);
    record.fill(Qt::transparent);
    write(failFolder_, failurePath(path), path, modified, bytes, std::move(record));
}

void FreedesktopThumbnailCache::write(const QString& folder, const QString& file, const QString& path,
                                      qint64 modified, qint64 bytes, QImage image) const
{
    if (holds(path)) return;
    // The standard asks for folders only their owner can read: thumbnails show private pictures.
    if (!QDir().mkpath(folder)) return;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSaveFile saved(file);
    if (!saved.open(QIODevice::WriteOnly)) return;
    saved.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    // On the image, not the writer: the writer's text takes "key: value" and would split at "::".
    image.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(FileUri(path)));
    image.setText(QStringLiteral("Thumb::MTime"), QString::number(modified));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(bytes));
    image.setText(QStringLiteral("Software"), QStringLiteral("Pinlore"));
    QImageWriter writer(&saved, "png");
    // Fast compression: the file is written once per picture while the user waits for the folder.
    writer.setQuality(80);
    if (writer.write(image)) saved.commit();
}

}  // namespace browser
