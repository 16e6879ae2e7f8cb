#pragma once

#include <QPointer>

namespace shell {

class ExportProgressDialog;
class WorkspaceView;

// "Export to HTML...": checks that the open map can be exported, asks for a folder and the style
// of the pages, and writes the site behind the progress dialog. The site is made from a copy of the
// open map taken on this thread, so the worker never touches the window's components. Files that
// could not be made are listed to the user instead of the plain completion message.
//
// Thread: the user-interface thread.
class ExportToHtmlCommand {
public:
    explicit ExportToHtmlCommand(WorkspaceView& workspace) : workspace_(workspace) {}

    // Returns once the export has ended or was refused, its worker finished.
    void run();
    // Cancels the export in progress, as its Cancel button; false when none runs.
    bool cancel();

private:
    WorkspaceView& workspace_;
    QPointer<ExportProgressDialog> dialog_;
};

}  // namespace shell
