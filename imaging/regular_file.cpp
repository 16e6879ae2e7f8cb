#include "imaging/regular_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imaging {

RegularFile::RegularFile(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        failure_ = QString::fromLocal8Bit(std::strerror(errno)) + u'.';
        return;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        failure_ = QStringLiteral("It is not a regular file.");
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

int RegularFile::release()
{
    return std::exchange(descriptor_, -1);
}

}  // namespace imaging
