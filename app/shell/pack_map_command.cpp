#include "app/shell/pack_map_command.h"

#include "app/export/export_destination.h"
#include "app/pack/map_pack.h"
#include "app/shell/workspace_view.h"
#include "platform/shell/shell_services.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStringList>

namespace shell {

namespace {

using html_export::ExportDestination;

// The dialog's list of what was not copied stops here; the pack's folder holds the rest's absence.
constexpr std::size_t kListedProblems = 8;

QString completionText(const QString& name, const QString& chosenName, const std::vector<pack::MapPack::Problem>& problems)
{
    QString text = QStringLiteral("Your map has been packed into the folder \"%1\" inside of \"%2\".").arg(name, chosenName);
    if (problems.empty()) return text;
    QStringList lines;
    for (std::size_t i = 0; i < problems.size() && i < kListedProblems; ++i)
        lines.append(QStringLiteral("%1: %2").arg(problems[i].path, problems[i].reason));
    if (problems.size() > kListedProblems) lines.append(QStringLiteral("and %1 more.").arg(problems.size() - kListedProblems));
    return text + QStringLiteral("\n\n%1 of its files could not be copied:\n%2").arg(problems.size()).arg(lines.join(u'\n'));
}

}  // namespace

void PackMapCommand::run()
{
    QWidget* owner = workspace_.window();
    ShellServices& shell = Services();
    // The pack copies the map as saved: what is on screen must be in the file.
    while (workspace_.documentPath().isEmpty() || workspace_.IsDirty()) {
        if (shell.messageBox(owner, QStringLiteral("You must save the current map before packing it."),
                             QStringLiteral("Save Document"), MessageButtons::OkCancel,
                             MessageIcon::None) == MessageAnswer::Cancel)
            return;
        if (!workspace_.Save()) return;
    }

    const QString documentPath = workspace_.documentPath();
    const QString name = ExportDestination::ExportName(documentPath);
    const std::optional<QString> chosen = shell.folderName(owner, QStringLiteral("Choose Folder for the Pack"),
                                                           QFileInfo(documentPath).absolutePath());
    if (!chosen) return;
    const QString chosenName = ExportDestination::FolderDisplayName(*chosen);
    const QString folder = ExportDestination::SiteFolder(*chosen, name);
    const ExportDestination::FolderCreation creation = ExportDestination::CreateSiteFolder(folder);
    if (creation.result == ExportDestination::Creation::Failed) {
        shell.messageBox(owner, QStringLiteral("The folder could not be made.\n\n%1: %2").arg(folder, creation.failure),
                         QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    if (creation.result == ExportDestination::Creation::Exists &&
        shell.messageBox(owner,
                         QStringLiteral("The folder \"%1\" inside of \"%2\" already exists. Packing to this location may "
                                        "overwrite existing files in the folder \"%1\".")
                             .arg(name, chosenName),
                         QStringLiteral("Folder Exists"), MessageButtons::OkCancel,
                         MessageIcon::Warning) == MessageAnswer::Cancel)
        return;

    QProgressDialog progress(QStringLiteral("Packing the map..."), QStringLiteral("Cancel"), 0, 0, owner);
    progress.setWindowTitle(QStringLiteral("Pack Map"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const pack::MapPack::Result result = pack::MapPack::Pack(documentPath, folder, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (result.cancelled) return;
    shell.messageBox(owner, completionText(name, chosenName, result.problems), QStringLiteral("Pack Complete"),
                     MessageButtons::Ok, result.problems.empty() ? MessageIcon::None : MessageIcon::Warning);
    shell.showFolder(folder);
}

}  // namespace shell
