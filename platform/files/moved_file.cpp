#include "platform/files/moved_file.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <sys/stat.h>

namespace files {

bool IsRegularFile(const QString& path)
{
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

QString LocateFile(const QString& storedPath, const QString& mapFolder)
{
    return MovedFiles(mapFolder).locate(storedPath);
}

MovedFiles::MovedFiles(QString mapFolder) : mapFolder_(QDir::cleanPath(mapFolder)) {}

bool MovedFiles::folderExists(const QString& folder)
{
    const auto known = existingFolders_.constFind(folder);
    if (known != existingFolders_.cend()) return *known;
    struct stat status {};
    const bool exists = ::stat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode);
    existingFolders_.insert(folder, exists);
    return exists;
}

QStringList MovedFiles::candidateFolders(const QString& storedFolder)
{
    const QStringList folders = storedFolder.split(u'/', Qt::SkipEmptyParts);
    // Joined from after the last "." or "..": no run holding one may be tried.
    qsizetype firstUsable = 0;
    for (qsizetype i = 0; i < folders.size(); ++i)
        if (folders[i] == u"." || folders[i] == u"..") firstUsable = i + 1;
    // The map's own folder takes any trailing run; a folder above it only a run that begins with a
    // folder's name, so that a lone name is never matched outside the map's folder.
    QStringList candidates;
    QString base = mapFolder_;
    for (bool own = true;; own = false) {
        const QString prefix = base.endsWith(u'/') ? base : base + u'/';
        for (qsizetype first = firstUsable; first <= folders.size() - (own ? 0 : 1); ++first) {
            // A run whose first folder is not there cannot be: most runs end at this shared look.
            if (first < folders.size() && !folderExists(prefix + folders[first])) continue;
            const QString folder = prefix + QStringList(folders.mid(first)).join(u'/');
            if (folderExists(folder)) candidates.append(folder.endsWith(u'/') ? folder : folder + u'/');
        }
        if (base == u"/") break;
        base = base.left(std::max<qsizetype>(base.lastIndexOf(u'/'), 1));
    }
    return candidates;
}

QString MovedFiles::locate(const QString& storedPath)
{
    if (storedPath.isEmpty() || mapFolder_.isEmpty() || IsRegularFile(storedPath)) return storedPath;
    const qsizetype slash = storedPath.lastIndexOf(u'/');
    const QString storedFolder = storedPath.left(slash + 1);
    const QString name = storedPath.mid(slash + 1);
    if (name.isEmpty() || name == u"." || name == u"..") return storedPath;
    auto candidates = candidateFolders_.constFind(storedFolder);
    if (candidates == candidateFolders_.cend()) candidates = candidateFolders_.insert(storedFolder, candidateFolders(storedFolder));
    for (const QString& folder : *candidates)
        if (IsRegularFile(folder + name)) return folder + name;
    return storedPath;
}

}  // namespace files
