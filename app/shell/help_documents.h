#pragma once

#include <QString>

class QWidget;

namespace shell {

class WorkspaceView;

// The help and the tutorial: "help.chm" and "tutorial.chm" beside the program, opened by the
// program the desktop associates with them. Where no program on the machine opens such files, the
// same pages are opened as HTML ("help/index.html", "tutorial/index.html" beside the program) in
// the web browser, so that help is always at hand; where not even that can be opened, the user is
// told so. The desktop is asked without waiting for it: the window stays live meanwhile.
//
// Thread: the user-interface thread.
class HelpDocuments {
public:
    // `programFolder`: the folder of the program's own file.
    explicit HelpDocuments(QString programFolder);

    void OpenHelp(QWidget* owner) const;
    // Points the file browser at the tutorial's pictures, brings the workspace out of its maximised
    // state and opens the tutorial.
    void StartTutorial(WorkspaceView& workspace) const;

private:
    void open(QWidget* owner, const QString& name, const QString& whatFailed) const;

    QString programFolder_;
};

}  // namespace shell
