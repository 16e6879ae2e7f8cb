#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace files {

// A file from outside the program opened for reading only when it is a regular file: the one way
// pictures, maps, sounds and the thumbnail cache's files are opened. A FIFO, a device or a socket
// named where such a file belongs would block the reader forever or feed it without end, so the file
// is opened without waiting for a writer (O_NONBLOCK) and its kind is checked on the open descriptor,
// which also rules out a swap between the check and the read. A file larger than the reader's limit
// is refused before anything is read from it.
//
// Thread: any; each thread opens its own.
class RegularFile {
public:
    static constexpr qint64 kNoLimit = -1;

    explicit RegularFile(const QString& path, qint64 maxBytes = kNoLimit);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // Why the file could not be opened or read, in words for the user ("It is not a regular file.");
    // empty while all is well.
    const QString& failure() const { return failure_; }
    qint64 size() const { return size_; }

    // The whole file. Nothing, with the failure told, when it cannot be read or has grown past the
    // limit since it was opened.
    std::optional<QByteArray> readAll();

    // Hands the descriptor over to a caller that closes it; -1 when the file is not open.
    int release();

private:
    void fail(QString why);

    int descriptor_ = -1;
    qint64 size_ = 0;
    qint64 maxBytes_;
    QString failure_;
};

}  // namespace files
