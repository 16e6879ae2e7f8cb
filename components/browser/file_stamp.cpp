#include "components/browser/file_stamp.h"

#include <QFile>
#include <sys/stat.h>

namespace browser {

namespace {

std::int64_t Nanoseconds(const timespec& time)
{
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FileStamp FileStamp::Of(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return {};
    return {true, status.st_dev, status.st_ino, status.st_size,
            Nanoseconds(status.st_mtim), Nanoseconds(status.st_ctim)};
}

}  // namespace browser
