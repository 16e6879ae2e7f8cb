#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace files {

// Where a file a map names is now. Maps store absolute paths, so a trip's folder copied to another
// disk names files where they no longer are; they are looked for at the same place relative to the
// map: the stored path's trailing components, longest first, joined to the folder of the map being
// read (for /home/anna/Trips/Photos/a.jpg in /media/usb/Trips/Trip.plm: /media/usb/Trips/home/anna/
// Trips/Photos/a.jpg, then /media/usb/Trips/anna/Trips/Photos/a.jpg, ... /media/usb/Trips/Photos/a.jpg,
// /media/usb/Trips/a.jpg). A map in a sub-folder may name files beside that folder (a city map in
// Trips/City showing photos of Trips/Photos), so the folders above the map's are tried next, nearest
// first, with the runs that keep at least the file's own folder (Photos/a.jpg, not a.jpg). The first
// regular file found is the answer. Nothing is searched by name alone anywhere else (a same-named file
// elsewhere is another picture), no component "." or ".." is ever joined, and only regular files
// count: a FIFO, a device, a folder or a link loop where a file belongs is passed over unopened.
//
// Gives `storedPath` itself when it names a regular file, is empty, or is found nowhere.
//
// Thread: any.
QString LocateFile(const QString& storedPath, const QString& mapFolder);

// LocateFile for the many files of one map: a map names its pictures folder by folder, so each
// stored folder's candidate folders that exist are found once, in the order they are tried, and a
// moved map of ten thousand spots costs hardly more to open than one in place.
//
// Thread: the one that uses it.
class MovedFiles {
public:
    explicit MovedFiles(QString mapFolder);

    QString locate(const QString& storedPath);

private:
    bool folderExists(const QString& folder);
    QStringList candidateFolders(const QString& storedFolder);

    QString mapFolder_;
    // By stored folder (with its slash): the folders, each with its slash, where its files may be.
    QHash<QString, QStringList> candidateFolders_;
    QHash<QString, bool> existingFolders_;
};

// Whether `path` names a regular file (after following links), found without opening it.
bool IsRegularFile(const QString& path);

}  // namespace files
