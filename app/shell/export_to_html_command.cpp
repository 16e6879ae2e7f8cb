#include "app/shell/export_to_html_command.h"

#include "app/export/document_snapshot.h"
#include "app/export/export_destination.h"
#include "app/export/export_job.h"
#include "app/export/site_pages.h"
#include "app/shell/export_progress_dialog.h"
#include "app/shell/workspace_view.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/qt_strings.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace shell {

namespace {

// The files that could not be made and the linked maps that could not be exported are counted and
// listed apart: each count agrees with the list under it.
QString completionText(const QString& name, const QString& folderName,
                       const std::vector<html_export::ExportProblem>& problems)
{
    using Subject = html_export::ExportProblem::Subject;
    QString text = QStringLiteral("Your map has been exported to the folder \"%1\" inside of \"%2\"").arg(name, folderName);
    QString separator = QStringLiteral(", but ");
    for (const auto& [subject, heading] :
         {std::pair{Subject::File, QStringLiteral("%1 of its files could not be made:")},
          std::pair{Subject::Map, QStringLiteral("%1 of its linked maps could not be exported:")}}) {
        const auto count = std::count_if(problems.begin(), problems.end(), [subject](const auto& problem) {
            return problem.subject == subject;
        });
        if (count == 0) continue;
        text += separator + heading.arg(count) + u'\n';
        separator = QStringLiteral("\n\n");
        for (const html_export::ExportProblem& problem : problems)
            if (problem.subject == subject) text += QStringLiteral("\n%1: %2").arg(problem.path, problem.reason);
    }
    return text;
}

// The classic style comes first and is chosen unless the user picks the other.
std::optional<html_export::ExportStyle> askStyle(ShellServices& shell, QWidget* owner)
{
    const std::optional<int> choice =
        shell.chooseOne(owner, QStringLiteral("Export to HTML"), QStringLiteral("Style of the web pages:"),
                        {QStringLiteral("Classic: the pages as they have always been"),
                         QStringLiteral("Modern: pages that fit phones, play the sound and let Back work")},
                        0);
    if (!choice) return std::nullopt;
    return *choice == 1 ? html_export::ExportStyle::Modern : html_export::ExportStyle::Classic;
}

}  // namespace

void ExportToHtmlCommand::run()
{
    QWidget* owner = workspace_.window();
    ShellServices& shell = Services();
    // The show and its sound would go on behind the progress dialog.
    workspace_.StopShownSlideShow();

    com::Bstr mapFile;
    workspace_.document()->GetMapFile(mapFile.put());
    if (mapFile.view().empty()) {
        shell.messageBox(owner, QStringLiteral("You must add a map picture to the current map before exporting to html."),
                         QStringLiteral("No Map Picture"), MessageButtons::Ok, MessageIcon::None);
        return;
    }
    while (workspace_.documentPath().isEmpty()) {
        if (shell.messageBox(owner, QStringLiteral("You must save the current map before exporting to html."),
                             QStringLiteral("Save Document"), MessageButtons::OkCancel,
                             MessageIcon::None) == MessageAnswer::Cancel)
            return;
        workspace_.Save();
    }

    const QString documentPath = workspace_.documentPath();
    const QString name = html_export::ExportDestination::ExportName(documentPath);
    const std::optional<QString> chosen = shell.folderName(owner, QStringLiteral("Choose Folder for Export"));
    if (!chosen) return;
    const std::optional<html_export::ExportStyle> style = askStyle(shell, owner);
    if (!style) return;
    const QString chosenName = html_export::ExportDestination::FolderDisplayName(*chosen);
    const QString exportFolder = html_export::ExportDestination::SiteFolder(*chosen, name);
    const html_export::ExportDestination::FolderCreation creation =
        html_export::ExportDestination::CreateSiteFolder(exportFolder);
    switch (creation.result) {
    case html_export::ExportDestination::Creation::Created:
        break;
    case html_export::ExportDestination::Creation::Exists:
        if (shell.messageBox(owner,
                             QStringLiteral("The folder \"%1\" inside of \"%2\" already exists. Exporting to this "
                                            "location may overwrite existing files in the folder \"%1\".")
                                 .arg(name, chosenName),
                             QStringLiteral("Folder Exists"), MessageButtons::OkCancel,
                             MessageIcon::Warning) == MessageAnswer::Cancel)
            return;
        break;
    case html_export::ExportDestination::Creation::Failed:
        shell.messageBox(owner,
                         QStringLiteral("An error occurred. You may want to try saving to another location.\n\n%1: %2")
                             .arg(exportFolder, creation.failure),
                         QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Error);
        return;
    }

    html_export::ExportSettings settings;
    settings.root = html_export::DocumentSnapshot::Take(*workspace_.document());
    settings.documentPath = documentPath;
    settings.exportFolder = exportFolder;
    settings.site.pinPicture = QCoreApplication::applicationDirPath() + QStringLiteral("/resources/pushPin.gif");
    settings.site.loadMap = &html_export::DocumentSnapshot::Load;
    settings.site.style = *style;
    // The job outlives the dialog: its destructor cancels a worker still running and waits for it.
    html_export::ExportJob job(std::move(settings));
    ExportProgressDialog dialog(job, owner);
    dialog_ = &dialog;
    const int result = dialog.exec();
    dialog_ = nullptr;
    if (result != ExportProgressDialog::kFinished) return;

    const std::vector<html_export::ExportProblem> problems = job.problems();
    shell.messageBox(owner, completionText(name, chosenName, problems), QStringLiteral("Export Complete"),
                     MessageButtons::Ok, problems.empty() ? MessageIcon::None : MessageIcon::Warning);
    shell.showFolder(exportFolder);
}

bool ExportToHtmlCommand::cancel()
{
    if (!dialog_) return false;
    dialog_->cancel();
    return true;
}

}  // namespace shell
