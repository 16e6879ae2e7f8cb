#include "app/pack/pack_command.h"

#include "app/export/document_snapshot.h"
#include "app/export/export_destination.h"
#include "app/export/interrupt_guard.h"
#include "app/export/progress_meter.h"
#include "app/pack/map_pack.h"

#include <cstdio>

namespace pack {

namespace {

using html_export::ExportDestination;

void say(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace

int PackCommand::Run(const QStringList& arguments)
{
    QStringList positional = arguments;
    const bool overwrite = positional.removeAll(QStringLiteral("--overwrite")) > 0;
    if (positional.size() != 2) {
        std::fputs("Usage: pinlore --pack MAP.plm FOLDER [--overwrite]\n", stderr);
        return kRefused;
    }
    QString failure;
    const std::optional<QString> mapPath = ExportDestination::Absolute(positional[0], failure);
    const std::optional<QString> chosenFolder = mapPath ? ExportDestination::Absolute(positional[1], failure) : std::nullopt;
    if (!chosenFolder) {
        say(failure);
        return kRefused;
    }
    const html_export::MapLoad root = html_export::DocumentSnapshot::Load(*mapPath);
    if (!root.map) {
        say(QStringLiteral("An error occurred, the file could not be opened.\n%1: %2").arg(*mapPath, root.failure));
        return kRefused;
    }

    const QString name = ExportDestination::ExportName(*mapPath);
    const QString folder = ExportDestination::SiteFolder(*chosenFolder, name);
    const ExportDestination::FolderCreation creation = ExportDestination::CreateSiteFolder(folder);
    if (creation.result == ExportDestination::Creation::Failed) {
        say(QStringLiteral("The folder %1 could not be made: %2").arg(folder, creation.failure));
        return kRefused;
    }
    if (creation.result == ExportDestination::Creation::Exists && !overwrite) {
        say(QStringLiteral("The folder \"%1\" inside of \"%2\" already exists; --overwrite packs into it anyway.")
                .arg(name, ExportDestination::FolderDisplayName(*chosenFolder)));
        return kRefused;
    }

    html_export::InterruptGuard interrupt;
    html_export::ProgressMeter meter(stderr);
    const MapPack::Result result = MapPack::Pack(*mapPath, folder, [&](int done, int total) {
        meter.show(done, total);
        return !interrupt.interrupted();
    });
    meter.finish();
    if (result.cancelled || interrupt.interrupted()) {
        say(QStringLiteral("The pack was stopped after %1 of %2 files. What was copied stays in \"%3\".")
                .arg(result.done)
                .arg(result.total)
                .arg(folder));
        return kCancelled;
    }
    if (result.problems.empty()) {
        say(QStringLiteral("Packed %1 files into \"%2\".").arg(result.total).arg(folder));
        return kComplete;
    }
    say(QStringLiteral("The pack finished in \"%1\", but %2 of its files could not be copied:").arg(folder).arg(result.problems.size()));
    for (const MapPack::Problem& problem : result.problems) say(QStringLiteral("  %1: %2").arg(problem.path, problem.reason));
    return kIncomplete;
}

}  // namespace pack
