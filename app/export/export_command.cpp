#include "app/export/export_command.h"

#include "app/export/document_snapshot.h"
#include "app/export/export_destination.h"
#include "app/export/export_job.h"
#include "app/export/export_names.h"
#include "app/export/interrupt_guard.h"
#include "app/export/progress_meter.h"
#include "app/export/site_pages.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace html_export {

namespace {

constexpr char kUsage[] = "Usage: pinlore --export-html MAP.plm FOLDER [--overwrite] [--style classic|modern]\n";
constexpr std::chrono::milliseconds kPollInterval(100);

void say(std::FILE* stream, const QString& text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

int runJob(ExportSettings settings)
{
    const QString siteFolder = settings.exportFolder;
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
    if (job.cancelled() || interrupt.interrupted()) {
        say(stderr, QStringLiteral("The export was cancelled after %1 of %2 pictures. What was written stays in \"%3\".")
                        .arg(job.position())
                        .arg(job.total())
                        .arg(siteFolder));
        return ExportCommand::kCancelled;
    }

    const std::vector<ExportProblem> problems = job.problems();
    if (problems.empty())
        return ExportCommand::kComplete;
    for (const auto& [subject, heading] :
         {std::pair{ExportProblem::Subject::File, QStringLiteral("The export finished, but %1 of its files could not be made:")},
          std::pair{ExportProblem::Subject::Map,
                    QStringLiteral("The export finished, but %1 of its linked maps could not be exported:")}}) {
        const auto count = std::count_if(problems.begin(), problems.end(),
                                         [subject](const ExportProblem& problem) { return problem.subject == subject; });
        if (count == 0)
            continue;
        say(stderr, heading.arg(count));
        for (const ExportProblem& problem : problems) {
            if (problem.subject == subject)
                say(stderr, QStringLiteral("  %1: %2").arg(problem.path, problem.reason));
        }
    }
    return ExportCommand::kIncomplete;
}

// Takes "--style NAME" out of `arguments`; nothing, with the reason told, for a style that is
// missing or unknown.
std::optional<ExportStyle> takeStyle(QStringList& arguments)
{
    const qsizetype option = arguments.indexOf(QStringLiteral("--style"));
    if (option < 0)
        return ExportStyle::Classic;
    if (option + 1 == arguments.size()) {
        say(stderr, QStringLiteral("The option --style needs a style: classic or modern."));
        return std::nullopt;
    }
    const QString name = arguments.takeAt(option + 1);
    arguments.removeAt(option);
    const std::optional<ExportStyle> style = StyleNamed(name);
    if (!style)
        say(stderr, QStringLiteral("There is no export style \"%1\": choose classic or modern.").arg(name));
    return style;
}

}  // namespace

int ExportCommand::Run(const QStringList& arguments, const QString& programFolder)
{
    QStringList positional = arguments;
    const bool overwrite = positional.removeAll(QStringLiteral("--overwrite")) > 0;
    const std::optional<ExportStyle> style = takeStyle(positional);
    if (!style || positional.size() != 2) {
        std::fputs(kUsage, stderr);
        return kRefused;
    }
    QString failure;
    const std::optional<QString> documentPath = ExportDestination::Absolute(positional[0], failure);
    const std::optional<QString> chosenFolder = documentPath ? ExportDestination::Absolute(positional[1], failure)
                                                             : std::nullopt;
    if (!chosenFolder) {
        say(stderr, failure);
        return kRefused;
    }

    MapLoad root = DocumentSnapshot::Load(*documentPath);
    if (!root.map) {
        say(stderr, QStringLiteral("An error occurred, the file could not be opened.\n%1: %2").arg(*documentPath, root.failure));
        return kRefused;
    }
    if (root.map->mapPicture.isEmpty()) {
        say(stderr, QStringLiteral("You must add a map picture to the current map before exporting to html."));
        return kRefused;
    }

    const QString name = ExportDestination::ExportName(*documentPath);
    const QString chosenName = ExportDestination::FolderDisplayName(*chosenFolder);
    const QString exportFolder = ExportDestination::SiteFolder(*chosenFolder, name);
    const ExportDestination::FolderCreation creation = ExportDestination::CreateSiteFolder(exportFolder);
    switch (creation.result) {
    case ExportDestination::Creation::Created:
        break;
    case ExportDestination::Creation::Exists:
        if (overwrite)
            break;
        say(stderr, QStringLiteral("The folder \"%1\" inside of \"%2\" already exists. Exporting to this location may "
                                   "overwrite existing files in the folder \"%1\".")
                        .arg(name, chosenName));
        return kRefused;
    case ExportDestination::Creation::Failed:
        say(stderr, QStringLiteral("An error occurred. You may want to try saving to another location.\n%1: %2")
                        .arg(exportFolder, creation.failure));
        return kRefused;
    }

    // A file size limit then fails the write at hand, which is reported like a full disk, instead
    // of killing the program half way through the site.
    std::signal(SIGXFSZ, SIG_IGN);
    ExportSettings settings;
    settings.root = std::move(*root.map);
    settings.documentPath = *documentPath;
    settings.exportFolder = exportFolder;
    settings.site.pinPicture = programFolder + QStringLiteral("/resources/pushPin.gif");
    settings.site.loadMap = &DocumentSnapshot::Load;
    settings.site.style = *style;
    const int status = runJob(std::move(settings));
    if (status == kComplete)
        say(stdout, QStringLiteral("Your map has been exported to the folder \"%1\" inside of \"%2\"").arg(name, chosenName));
    return status;
}

}  // namespace html_export
