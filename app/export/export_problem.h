#pragma once

#include <QString>

namespace html_export {

// A file of the site that could not be made, or a linked map that could not be exported, and why,
// in words for the user.
struct ExportProblem {
    enum class Subject { File, Map };

    // The file of the site for a file; the linked map's own path for a map.
    QString path;
    QString reason;
    Subject subject = Subject::File;

    bool operator==(const ExportProblem&) const = default;
};

}  // namespace html_export
