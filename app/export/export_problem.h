#pragma once

#include <QString>

namespace html_export {

// A file of the site that could not be made, and why, in words for the user.
struct ExportProblem {
    QString path;
    QString reason;

    bool operator==(const ExportProblem&) const = default;
};

}  // namespace html_export
