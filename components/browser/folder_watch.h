#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace browser {

// Tells when the entries of one folder change on disk: a file saved (written under another name and
// renamed into place, as this program and most others save), added, removed, renamed or given other
// permissions or times. Changes are told a moment after the first of them, together: a folder being
// copied into is read again a few times a second, not once for every file.
//
// Thread: the user-interface thread.
class FolderWatch final : public QObject {
    Q_OBJECT
public:
    static constexpr int kGatherMs = 200;

    explicit FolderWatch(QObject* parent);

    // Watches `folder` from now on, in place of the folder watched until now.
    void watch(const QString& folder);

signals:
    void changed();

private:
    QFileSystemWatcher watcher_;
    QTimer gathering_;
};

}  // namespace browser
