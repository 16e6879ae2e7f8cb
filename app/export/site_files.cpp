#include "app/export/site_files.h"

#include "app/export/replacing_file.h"
#include "platform/files/regular_file.h"

#include "components/interfaces/file_type.h"

#include <QFile>
#include <QMimeDatabase>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace html_export {

std::optional<QString> SiteFiles::MakeFolder(const QString& path)
{
    // Made first and looked at after: another export into the same folder may make it in between,
    // and a folder that exists by then is as good as one made here.
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return std::nullopt;
    const int error = errno;
    if (error == EEXIST && QFileInfo(path).isDir())
        return std::nullopt;
    return QStringLiteral("The folder could not be created: %1.").arg(QString::fromLocal8Bit(std::strerror(error)));
}

std::optional<QString> SiteFiles::CopyFile(const QString& source, const QString& target)
{
    files::RegularFile input(source);
    if (!input.isOpen())
        return QStringLiteral("The file \"%1\" could not be read: %2").arg(source, input.failure());
    QFile reader;
    reader.open(input.release(), QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    ReplacingFile output(target);
    if (std::optional<QString> failure = output.open())
        return failure;
    constexpr qint64 kChunk = 1 << 16;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 read = reader.read(chunk.data(), kChunk);
        if (read < 0)
            return QStringLiteral("The file \"%1\" could not be read: %2.").arg(source, reader.errorString());
        if (read == 0)
            break;
        if (std::optional<QString> failure = output.write(chunk.constData(), read))
            return failure;
    }
    return output.commit();
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
    return ReplacingFile::Write(path, bytes);
}

std::optional<QString> SiteFiles::NotASound(const QString& path)
{
    // stat never waits on a FIFO, unlike open without O_NONBLOCK.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("It is not a regular file.");
    if (ClassifyFile(std::u16string_view(reinterpret_cast<const char16_t*>(path.utf16()), path.size())) == kFileTypeSound)
        return std::nullopt;
    files::RegularFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    QFile contents;
    contents.open(file.release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QString type = QMimeDatabase().mimeTypeForData(&contents).name();
    if (type.startsWith(QLatin1String("audio/")) || type.startsWith(QLatin1String("video/")))
        return std::nullopt;
    return QStringLiteral("It is not a sound file.");
}

std::optional<QString> SiteFiles::WriteFile(const QString& path, const QByteArray& bytes)
{
    return ReplacingFile::Write(path, bytes);
}

}  // namespace html_export
