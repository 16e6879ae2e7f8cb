#include "app/export/export_destination.h"

#include "app/export/export_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace html_export {

namespace {

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)) + u'.';
}

// The longest name the export gives a file below a folder of the site: a low-resolution picture
// with the largest indexes.
constexpr qsizetype kLongestInnerPath = sizeof("/images/spot2147483647_lo_res_img2147483647.jpg") - 1;

}  // namespace

QString ExportDestination::ExportName(const QString& documentPath)
{
    const QString name = ExportNames::DisplayName(documentPath);
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/'))
        return QString::fromLatin1(kFallbackName);
    return name;
}

QString ExportDestination::FolderDisplayName(const QString& chosenFolder)
{
    const QString clean = QDir::cleanPath(chosenFolder);
    const QString name = ExportNames::FileName(clean);
    return name.isEmpty() ? clean : name;
}

QString ExportDestination::SiteFolder(const QString& chosenFolder, const QString& exportName)
{
    return QDir::cleanPath(chosenFolder + u'/' + exportName);
}

ExportDestination::FolderCreation ExportDestination::CreateSiteFolder(const QString& siteFolder)
{
    if (::mkdir(QFile::encodeName(siteFolder).constData(), 0777) == 0)
        return {Creation::Created, QString()};
    const int error = errno;
    if (error == EEXIST && QFileInfo(siteFolder).isDir())
        return {Creation::Exists, QString()};
    return {Creation::Failed, reasonOf(error)};
}

std::optional<QString> ExportDestination::Absolute(const QString& path, QString& failure)
{
    if (path.startsWith(u'/'))
        return QDir::cleanPath(path);
    const std::unique_ptr<char, decltype(&std::free)> working(::getcwd(nullptr, 0), &std::free);
    if (!working) {
        failure = QStringLiteral("The folder the program was started in could not be read: %1").arg(reasonOf(errno));
        return std::nullopt;
    }
    return QDir::cleanPath(QFile::decodeName(working.get()) + u'/' + path);
}

bool ExportDestination::FitsPathLimit(const QString& folder)
{
    return QFile::encodeName(folder).size() + kLongestInnerPath < PATH_MAX;
}

}  // namespace html_export
