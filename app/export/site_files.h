#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace html_export {

// The file operations of the export. A file is written whole or not at all, and a replaced file
// keeps its permission bits (see ReplacingFile). Each returns nothing on success and the reason, in words for
// the user, when it fails; the export notes the failure and goes on.
//
// Thread: any.
class SiteFiles {
public:
    // An existing folder is used as it is.
    static std::optional<QString> MakeFolder(const QString& path);

    // Replaces `target` if it exists. Only a regular file is read: a FIFO or a device named as
    // the source is refused rather than waited on or read without end.
    static std::optional<QString> CopyFile(const QString& source, const QString& target);

    // Stores every line feed as carriage return plus line feed, in UTF-8, led by the byte-order mark
    // when the text is not pure ASCII; replaces `path`.
    static std::optional<QString> WritePage(const QString& path, const QString& text);

    // Why `path` is not copied as a sound, or nothing when it is a regular file that Pinlore takes
    // for a sound by its name or that holds audio or video. A file that cannot be looked at is left
    // to the copy to report.
    static std::optional<QString> NotASound(const QString& path);

    static std::optional<QString> WriteFile(const QString& path, const QByteArray& bytes);
};

}  // namespace html_export
