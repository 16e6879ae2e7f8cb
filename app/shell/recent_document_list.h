#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QMenu;

namespace shell {

// The recently used documents: full paths, kept whole, at most maxSize() of them, shown in a menu
// newest first as "&1 path", "&2 path", ... with the command ids command::kFirstRecentFile on, and
// kept in the registry under "Software\Quillmere\Pinlore\Prefs\Recent Document List":
// "DocumentCount" (a DWORD, the maximum size, not the number of entries) and "Document1", ...
// (strings, "Document1" the newest).
//
// Thread: the user-interface thread.
class RecentDocumentList {
public:
    static constexpr int kDefaultMaxSize = 12;

    // Fills `menu` (which outlives the list, or is null) from now on.
    explicit RecentDocumentList(QMenu* menu);

    int maxSize() const { return maxSize_; }
    // Drops the oldest entries beyond `size` (clamped to 2..16).
    void setMaxSize(int size);

    // Newest first.
    QStringList entries() const;
    // The entry `index` places from the newest; nothing beyond the end.
    std::optional<QString> entry(int index) const;

    // Makes `path` the newest entry: an entry equal to it goes first, and when the list is full the
    // oldest goes.
    void add(const QString& path);
    // Removes the entry `index` places from the newest (the registry keeps it until the next write).
    void remove(int index);

    // Reading leaves the list empty when the sub-key or its DWORD "DocumentCount" is missing; the
    // maximum becomes "DocumentCount" clamped to 2..16, and string values "Document%i" up to it are
    // taken, newest first. Writing stores the list and deletes the values of entries it no longer has.
    void readFromRegistry();
    void writeToRegistry() const;

private:
    void rebuildMenu();

    QMenu* menu_;
    int maxSize_ = kDefaultMaxSize;
    QStringList paths_;  // oldest first
};

}  // namespace shell
