#include "app/export/export_command.h"

#include "app/export/document_snapshot.h"
#include "app/export/export_job.h"
#include "app/export/export_names.h"
#include "app/export/interrupt_guard.h"
#include "app/export/progress_meter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace html_export {

namespace {

constexpr char kUsage[] = "Usage: pinlore --export-html MAP.plm FOLDER [--overwrite]\n";
constexpr std::chrono::milliseconds kPollInterval(100);

void say(std::FILE* stream, const QString& text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The chosen folder as the user knows it: its own name, or the whole path for the root.
QString folderDisplayName(const QString& folder)
{
    const QString name = ExportNames::FileName(folder);
    return name.isEmpty() ? folder : name;
}

enum class FolderCreation { Created, Exists, Failed };

FolderCreation createFolder(const QString& path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return FolderCreation::Created;
    return errno == EEXIST && QFileInfo(path).isDir() ? FolderCreation::Exists : FolderCreation::Failed;
}

int runJob(ExportSettings settings)
{
    InterruptGuard interrupt;
    ProgressMeter meter(stderr);
    ExportJob job(std::move(settings));
    job.start();
    while (!job.waitUntilDone(kPollInterval)) {
        if (interrupt.interrupted())
            job.cancel();
        meter.show(job.position(), job.total());
    }
    meter.show(job.position(), job.total());
    meter.finish();
    // A Ctrl+C that came after the last look still counts: the user asked to stop.
    if (job.cancelled() || interrupt.interrupted())
        return ExportCommand::kCancelled;

    const std::vector<ExportProblem> problems = job.problems();
    if (problems.empty())
        return ExportCommand::kComplete;
    say(stderr, QStringLiteral("The export finished, but %1 of its files could not be made:").arg(problems.size()));
    for (const ExportProblem& problem : problems)
        say(stderr, QStringLiteral("  %1: %2").arg(problem.path, problem.reason));
    return ExportCommand::kIncomplete;
}

}  // namespace

int ExportCommand::Run(const QStringList& arguments, const QString& programFolder)
{
    QStringList positional = arguments;
    const bool overwrite = positional.removeAll(QStringLiteral("--overwrite")) > 0;
    if (positional.size() != 2) {
        std::fputs(kUsage, stderr);
        return kRefused;
    }
    const QString documentPath = absolute(positional[0]);
    const QString chosenFolder = absolute(positional[1]);

    std::optional<MapSnapshot> root = DocumentSnapshot::Load(documentPath);
    if (!root) {
        say(stderr, QStringLiteral("An error occurred, the file could not be opened."));
        return kRefused;
    }
    if (root->mapPicture.isEmpty()) {
        say(stderr, QStringLiteral("You must add a map picture to the current map before exporting to html."));
        return kRefused;
    }

    const QString name = ExportNames::DisplayName(documentPath);
    const QString chosenName = folderDisplayName(chosenFolder);
    const QString exportFolder = QDir::cleanPath(chosenFolder + u'/' + name);
    switch (createFolder(exportFolder)) {
    case FolderCreation::Created:
        break;
    case FolderCreation::Exists:
        if (overwrite)
            break;
        say(stderr, QStringLiteral("The folder \"%1\" inside of \"%2\" already exists. Exporting to this location may "
                                   "overwrite existing files in the folder \"%1\".")
                        .arg(name, chosenName));
        return kRefused;
    case FolderCreation::Failed:
        say(stderr, QStringLiteral("An error occurred. You may want to try saving to another location."));
        return kRefused;
    }

    ExportSettings settings;
    settings.root = std::move(*root);
    settings.documentPath = documentPath;
    settings.exportFolder = exportFolder;
    settings.site.pinPicture = programFolder + QStringLiteral("/resources/pushPin.gif");
    settings.site.loadMap = &DocumentSnapshot::Load;
    const int status = runJob(std::move(settings));
    if (status == kComplete)
        say(stdout, QStringLiteral("Your map has been exported to the folder \"%1\" inside of \"%2\"").arg(name, chosenName));
    return status;
}

}  // namespace html_export
