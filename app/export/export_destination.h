#pragma once

#include <QString>
#include <optional>

namespace html_export {

// Where an export writes its site: the rules the export dialog and the command line share, so the
// two can never put a site in different places.
//
// The site goes into chosen folder + "/" + the export name, and nothing is ever written outside
// that folder: the export name is never empty, "." or "..", and holds no "/".
//
// Thread: any.
class ExportDestination {
public:
    enum class Creation { Created, Exists, Failed };

    struct FolderCreation {
        Creation result;
        // Why the folder could not be created, in words for the user; empty unless it failed.
        QString failure;
    };

    // The name the site of the map saved at `documentPath` is given: the map's display name, or
    // kFallbackName when that would not name a folder of its own (a file named ".plm" or "...plm").
    static QString ExportName(const QString& documentPath);
    static constexpr char kFallbackName[] = "Map";

    // The chosen folder as the user knows it: its own name, or the whole path for the root.
    static QString FolderDisplayName(const QString& chosenFolder);

    static QString SiteFolder(const QString& chosenFolder, const QString& exportName);

    // A folder that exists by the time it is made (another export made it a moment before) counts
    // as existing, not as a failure.
    static FolderCreation CreateSiteFolder(const QString& siteFolder);

    // `path` made absolute against the folder the program was started in; nothing, with the
    // reason in `failure`, when that folder cannot be read (its path may be longer than the system
    // gives out), rather than taking "/" for it.
    static std::optional<QString> Absolute(const QString& path, QString& failure);

    // Whether a folder of the site at `folder` leaves room, within the system's path limit, for
    // the longest path the export makes inside it.
    static bool FitsPathLimit(const QString& folder);
};

}  // namespace html_export
