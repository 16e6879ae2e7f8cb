#include "components/browser/freedesktop_thumbnail_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
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

}  // namespace

FreedesktopThumbnailCache::FreedesktopThumbnailCache()
    : FreedesktopThumbnailCache(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                                QStringLiteral("/thumbnails/large"))
{
}

FreedesktopThumbnailCache::FreedesktopThumbnailCache(QString largeFolder) : largeFolder_(std::move(largeFolder)) {}

QString FreedesktopThumbnailCache::thumbnailPath(const QString& path) const
{
    const QByteArray hash = QCryptographicHash::hash(FileUri(path), QCryptographicHash::Md5).toHex();
    return largeFolder_ + u'/' + QString::fromLatin1(hash) + QStringLiteral(".png");
}

bool FreedesktopThumbnailCache::holds(const QString& path) const
{
    return path.startsWith(largeFolder_ + u'/');
}

std::optional<FreedesktopThumbnailCache::Entry> FreedesktopThumbnailCache::find(const QString& path,
                                                                                 qint64 modified) const
{
    QImageReader reader(thumbnailPath(path), "png");
    const QSize declared = reader.size();
    if (declared.isEmpty() || declared.width() > kLargeSize || declared.height() > kLargeSize) return std::nullopt;
    Entry entry;
    // The keys are read from the decoded image: the reader's own text() splits keys at ':'.
    if (!reader.read(&entry.image)) return std::nullopt;
    if (entry.image.text(QStringLiteral("Thumb::URI")).toUtf8() != FileUri(path) ||
        entry.image.text(QStringLiteral("Thumb::MTime")) != QString::number(modified))
        return std::nullopt;
    entry.original = QSize(entry.image.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                           entry.image.text(QStringLiteral("Thumb::Image::Height")).toInt());
    return entry;
}

void FreedesktopThumbnailCache::store(const QString& path, qint64 modified, QSize original, const QImage& image) const
{
    if (image.isNull() || holds(path)) return;
    // The standard asks for a folder only its owner can read: thumbnails show private pictures.
    if (!QDir().mkpath(largeFolder_)) return;
    QFile::setPermissions(largeFolder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSaveFile file(thumbnailPath(path));
    if (!file.open(QIODevice::WriteOnly)) return;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    // On the image, not the writer: the writer's text takes "key: value" and would split at "::".
    QImage tagged = image;
    tagged.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(FileUri(path)));
    tagged.setText(QStringLiteral("Thumb::MTime"), QString::number(modified));
    tagged.setText(QStringLiteral("Thumb::Image::Width"), QString::number(original.width()));
    tagged.setText(QStringLiteral("Thumb::Image::Height"), QString::number(original.height()));
    tagged.setText(QStringLiteral("Software"), QStringLiteral("Pinlore"));
    QImageWriter writer(&file, "png");
    // Fast compression: the file is written once per picture while the user waits for the folder.
    writer.setQuality(80);
    if (writer.write(tagged)) file.commit();
}

}  // namespace browser
