#include "app/shell/window_start.h"

#include "app/shell/component_registration.h"
#include "app/shell/main_frame.h"
#include "app/shell/settings_store.h"
#include "app/shell/workspace_view.h"
#include "platform/registry/store_state.h"
#include "platform/shell/shell_services.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace shell {

namespace {

std::unique_ptr<MainFrame> Refuse(const QString& message)
{
    std::fprintf(stderr, "pinlore: %s\n", message.toLocal8Bit().constData());
    Services().messageBox(nullptr, message, QStringLiteral("Pinlore"), MessageButtons::Ok, MessageIcon::Error);
    return nullptr;
}

}  // namespace

std::unique_ptr<MainFrame> StartWindow(const std::optional<QByteArray>& document, const std::string& libraryPath)
{
    registry::SetBusyTimeout(SettingsStore::kWindowWait);
    SettingsStore::Prepare();
    if (com::FAILED(EnsureComponentsRegistered(libraryPath)))
        return Refuse(QStringLiteral("The component library beside the program, \"%1\", could not be registered.")
                          .arg(QString::fromStdString(libraryPath)));
    std::unique_ptr<MainFrame> frame = MainFrame::Create();
    if (!frame) return Refuse(QStringLiteral("The document component could not be created."));
    frame->show();
    if (document) {
        const QString name = QFile::decodeName(*document);
        // Taken whole, as the user gave it: a name in quotes is no file and says so.
        const QString path = QFileInfo(name).absoluteFilePath();
        // Paths live in UTF-16 here: bytes that are not UTF-8 would come back as other bytes, and
        // another file, or none, would be opened.
        if (QFile::encodeName(name) != *document)
            frame->TellAtStart(WorkspaceView::OpenFailureMessage(
                path, QStringLiteral("Its name is not valid UTF-8, and Pinlore opens only files whose names are.")));
        else
            frame->OpenAtStart(path);
    }
    return frame;
}

}  // namespace shell
