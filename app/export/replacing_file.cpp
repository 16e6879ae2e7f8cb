#include "app/export/replacing_file.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace html_export {

namespace {

constexpr int kNameAttempts = 16;

QString reasonOf(int error)
{
    return QStringLiteral("The file could not be written: %1.").arg(QString::fromLocal8Bit(std::strerror(error)));
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

}  // namespace

ReplacingFile::ReplacingFile(QString target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile()
{
    discard();
}

std::optional<QString> ReplacingFile::open()
{
    const QByteArray target = QFile::encodeName(target_);
    // Short, so that it fits wherever the target's own name fits.
    for (int attempt = 0; attempt < kNameAttempts && descriptor_ < 0; ++attempt) {
        temporary_ = folderOf(target) + "/.pinlore-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        descriptor_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        const int error = errno;
        temporary_.clear();
        return reasonOf(error);
    }
    struct stat replaced {};
    if (::stat(target.constData(), &replaced) == 0 && S_ISREG(replaced.st_mode)
        && ::fchmod(descriptor_, replaced.st_mode & 07777) != 0)
        return fail();
    return std::nullopt;
}

std::optional<QString> ReplacingFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing without saying why would loop forever; take it as a full disk.
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return fail();
        }
        data += written;
        size -= written;
    }
    return std::nullopt;
}

std::optional<QString> ReplacingFile::commit()
{
    // Network file systems report a failed write only here.
    const int descriptor = std::exchange(descriptor_, -1);
    if (::close(descriptor) != 0 || ::rename(temporary_.constData(), QFile::encodeName(target_).constData()) != 0)
        return fail();
    temporary_.clear();
    return std::nullopt;
}

std::optional<QString> ReplacingFile::Write(const QString& target, const QByteArray& bytes)
{
    ReplacingFile file(target);
    if (std::optional<QString> failure = file.open())
        return failure;
    if (std::optional<QString> failure = file.write(bytes.constData(), bytes.size()))
        return failure;
    return file.commit();
}

std::optional<QString> ReplacingFile::fail()
{
    const int error = errno;
    discard();
    return reasonOf(error);
}

void ReplacingFile::discard()
{
    if (descriptor_ >= 0)
        ::close(std::exchange(descriptor_, -1));
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

}  // namespace html_export
