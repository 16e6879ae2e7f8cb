#pragma once

#include <QString>

namespace imaging {

// A file from outside the program opened for reading only when it is a regular file. A FIFO, a
// device or a socket named where a picture, map or sound belongs would block the reader forever or
// feed it without end, so the file is opened without waiting for a writer (O_NONBLOCK) and its kind
// is checked on the open descriptor, which also rules out a swap between the check and the read.
//
// Thread: any; each thread opens its own.
class RegularFile {
public:
    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // Why the file could not be opened, in words for the user; empty when it is open.
    const QString& failure() const { return failure_; }
    qint64 size() const { return size_; }

    // Hands the descriptor over to a caller that closes it; -1 when the file is not open.
    int release();

private:
    int descriptor_ = -1;
    qint64 size_ = 0;
    QString failure_;
};

}  // namespace imaging
