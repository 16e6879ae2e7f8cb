#include "app/export/site_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace html_export {

std::optional<QString> SiteFiles::MakeFolder(const QString& path)
{
    if (QFileInfo(path).isDir() || QDir().mkdir(path))
        return std::nullopt;
    return QStringLiteral("The folder could not be created.");
}

std::optional<QString> SiteFiles::CopyFile(const QString& source, const QString& target)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return QStringLiteral("The file \"%1\" could not be read.").arg(source);
    // Copied through a save file, so an interrupted copy never leaves half a file in the site.
    QSaveFile output(target);
    if (!output.open(QIODevice::WriteOnly))
        return QStringLiteral("The file could not be written.");
    constexpr qint64 kChunk = 1 << 16;
    while (!input.atEnd()) {
        const QByteArray bytes = input.read(kChunk);
        if (bytes.isEmpty() && input.error() != QFileDevice::NoError) {
            output.cancelWriting();
            return QStringLiteral("The file \"%1\" could not be read.").arg(source);
        }
        if (output.write(bytes) != bytes.size()) {
            output.cancelWriting();
            return QStringLiteral("The file could not be written.");
        }
    }
    if (!output.commit())
        return QStringLiteral("The file could not be written.");
    return std::nullopt;
}

std::optional<QString> SiteFiles::WritePage(const QString& path, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace("\n", "\r\n");
    // The pages declare no character set, so a browser guesses it from the bytes; the byte-order
    // mark makes every browser read names such as "Zürich" as UTF-8. Pages of plain ASCII stay as
    // they always were.
    if (std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        bytes.prepend("\xEF\xBB\xBF");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("The page could not be written.");
    return std::nullopt;
}

}  // namespace html_export
