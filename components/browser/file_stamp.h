#pragma once

#include <QString>
#include <cstdint>

namespace browser {

// What tells that a file changed since it was last looked at: its identity, size, and the times of
// its last write and of its last change of any kind (a chmod, which a picture that could not be read
// for lack of permission needs, moves only the latter). Taken with stat, which never waits on a FIFO.
//
// Thread: any.
struct FileStamp {
    static FileStamp Of(const QString& path);

    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t bytes = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    // Whole seconds, as the desktop's thumbnail cache keeps the time.
    std::int64_t modifiedSeconds() const { return modifiedNs / 1'000'000'000; }

    bool operator==(const FileStamp&) const = default;
};

}  // namespace browser
