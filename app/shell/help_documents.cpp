#include "app/shell/help_documents.h"

#include "app/shell/workspace_view.h"
#include "components/interfaces/cell_factory.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/qt_strings.h"

#include <QFileInfo>
#include <QPointer>

namespace shell {

HelpDocuments::HelpDocuments(QString programFolder) : programFolder_(std::move(programFolder)) {}

void HelpDocuments::OpenHelp(QWidget* owner) const
{
    open(owner, QStringLiteral("help"), QStringLiteral("The help could not be shown"));
}

void HelpDocuments::StartTutorial(WorkspaceView& workspace) const
{
    if (ITableControl* list = workspace.tableControl()) {
        com::ComPtr<IImageCellFactory> factory;
        if (com::SUCCEEDED(com::CreateInstance(CLSID_PLImageCellFactory, factory))) {
            factory->SetDirectory(ui::ToBstr(programFolder_ + QStringLiteral("/tutorial/Pictures")).get());
            if (const auto cells = factory.tryAs<ICellFactory>()) list->SetCellFactory(cells.get());
        }
    }
    workspace.Restore();
    open(&workspace, QStringLiteral("tutorial"), QStringLiteral("The tutorial could not be shown"));
}

void HelpDocuments::open(QWidget* owner, const QString& name, const QString& whatFailed) const
{
    const QString book = programFolder_ + QLatin1Char('/') + name + QStringLiteral(".chm");
    const QString pages = programFolder_ + QLatin1Char('/') + name + QStringLiteral("/index.html");
    // The desktop answers later; the window may have gone by then.
    const QPointer<QWidget> told(owner);
    const auto openPages = [pages, whatFailed, told] {
        Services().openDocument(pages, [whatFailed, told](bool opened) {
            if (opened) return;
            Services().messageBox(told.data(),
                                  whatFailed +
                                      QStringLiteral(": no program on this computer opens help files or web pages."),
                                  QStringLiteral("Pinlore"), MessageButtons::Ok, MessageIcon::Warning);
        });
    };
    if (!QFileInfo::exists(book)) {
        openPages();
        return;
    }
    Services().openDocument(book, [openPages](bool opened) {
        if (!opened) openPages();
    });
}

}  // namespace shell
