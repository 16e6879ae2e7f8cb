#include "platform/files/regular_file.h"

#include <QFile>
#include <QLocale>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)) + u'.';
}

QString TooLarge(qint64 maxBytes)
{
    return QStringLiteral("It is larger than %1.")
        .arg(QLocale::c().formattedDataSize(maxBytes, 0, QLocale::DataSizeTraditionalFormat));
}

}  // namespace

RegularFile::RegularFile(const QString& path, qint64 maxBytes) : maxBytes_(maxBytes)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        failure_ = SystemReason(errno);
        return;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        failure_ = QStringLiteral("It is not a regular file.");
        return;
    }
    if (maxBytes_ != kNoLimit && status.st_size > maxBytes_) {
        ::close(descriptor);
        failure_ = TooLarge(maxBytes_);
        return;
    }
    // Reads of a regular file never wait anyway; cleared so the descriptor behaves as usual.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    descriptor_ = descriptor;
    size_ = status.st_size;
}

RegularFile::~RegularFile()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

void RegularFile::fail(QString why)
{
    failure_ = std::move(why);
    ::close(std::exchange(descriptor_, -1));
}

std::optional<QByteArray> RegularFile::readAll()
{
    if (descriptor_ < 0)
        return std::nullopt;
    // Room for one byte beyond the size tells a file that grew since it was opened; it is read on,
    // up to one byte past the limit.
    const qint64 limit = maxBytes_ == kNoLimit ? std::numeric_limits<qint64>::max() - 1 : maxBytes_;
    QByteArray contents(std::min(size_, limit) + 1, Qt::Uninitialized);
    qint64 used = 0;
    for (;;) {
        if (used == contents.size()) {
            if (used > limit) {
                fail(TooLarge(maxBytes_));
                return std::nullopt;
            }
            contents.resize(std::min(2 * used, limit + 1));
        }
        const ssize_t count = ::read(descriptor_, contents.data() + used, static_cast<size_t>(contents.size() - used));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            fail(SystemReason(errno));
            return std::nullopt;
        }
        if (count == 0)
            break;
        used += count;
    }
    contents.resize(used);
    return contents;
}

int RegularFile::release()
{
    return std::exchange(descriptor_, -1);
}

}  // namespace files
