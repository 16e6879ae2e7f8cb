#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace html_export {

// A file of the site written whole or not at all. The bytes go to a new hidden file in the target's
// folder; every write, the close and the rename over the target are checked, so a full disk, a
// size limit or an error reported only at close never leaves a short file under the target's name.
// A file that is replaced keeps its permission bits (a read-only page stays read-only); a new one
// gets the usual bits allowed by the umask.
//
// Each step returns nothing on success and the reason, in words for the user, when it fails; after
// a failure the temporary file is gone and the target is as it was.
//
// Thread: any; each file is written by one thread.
class ReplacingFile {
public:
    explicit ReplacingFile(QString target);
    // Removes the temporary file of a write that was not committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    std::optional<QString> open();
    std::optional<QString> write(const char* data, qint64 size);
    std::optional<QString> commit();

    // The three steps at once.
    static std::optional<QString> Write(const QString& target, const QByteArray& bytes);

private:
    std::optional<QString> fail();
    void discard();

    const QString target_;
    QByteArray temporary_;
    int descriptor_ = -1;
};

}  // namespace html_export
