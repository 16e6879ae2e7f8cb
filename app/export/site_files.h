#pragma once

#include <QString>
#include <optional>

namespace html_export {

// The file operations of the export. Each returns nothing on success and the reason, in words for
// the user, when it fails; the export notes the failure and goes on.
//
// Thread: any.
class SiteFiles {
public:
    // An existing folder is used as it is.
    static std::optional<QString> MakeFolder(const QString& path);

    // Replaces `target` if it exists.
    static std::optional<QString> CopyFile(const QString& source, const QString& target);

    // Stores every line feed as carriage return plus line feed, in UTF-8, led by the byte-order mark
    // when the text is not pure ASCII; replaces `path`.
    static std::optional<QString> WritePage(const QString& path, const QString& text);
};

}  // namespace html_export
