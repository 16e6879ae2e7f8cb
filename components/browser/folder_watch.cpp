#include "components/browser/folder_watch.h"

#include <QFileInfo>

namespace browser {

FolderWatch::FolderWatch(QObject* parent) : QObject(parent)
{
    gathering_.setSingleShot(true);
    gathering_.setInterval(kGatherMs);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!gathering_.isActive()) gathering_.start();
    });
    connect(&gathering_, &QTimer::timeout, this, &FolderWatch::changed);
}

void FolderWatch::watch(const QString& folder)
{
    if (const QStringList watched = watcher_.directories(); !watched.isEmpty()) watcher_.removePaths(watched);
    gathering_.stop();
    // A folder that cannot be watched (gone, or past the system's limit of watches) is shown as it
    // was read, as it was before folders were watched.
    if (QFileInfo(folder).isDir()) watcher_.addPath(folder);
}

}  // namespace browser
