#include "imaging/watched_file.h"

namespace imaging {

qint64 WatchedFile::readData(char* data, qint64 maxSize)
{
    const qint64 read = QFile::readData(data, maxSize);
    if (read == 0 && maxSize > 0)
        ranOut_ = true;
    return read;
}

}  // namespace imaging
