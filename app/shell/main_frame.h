#pragma once

#include "app/shell/help_documents.h"
#include "app/shell/recent_document_list.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

class QMenu;

namespace shell {

class WorkspaceView;

// The program's top-level window: the menu bar (no tool bar, no status bar), its accelerators, the
// recent files, the menu state brought up to date whenever the event loop is about to wait, and the
// workspace as the client area. Its title follows the document's path: "Pinlore" for an untitled
// map, else "<file name> - Pinlore", exactly so on every platform.
//
// Thread: the user-interface thread.
class MainFrame final : public QMainWindow {
    Q_OBJECT

public:
    // Null when the workspace cannot be made (no document component).
    static std::unique_ptr<MainFrame> Create();
    ~MainFrame() override;

    WorkspaceView& workspace() const { return *workspace_; }
    RecentDocumentList& recentDocuments() { return recentDocuments_; }

    // After a document was opened from or saved as `path`: the recent list (and the registry) and
    // the title.
    void SetDocumentPath(const QString& path);
    // The title for a document at `path`; an empty path is an untitled document.
    void ShowDocumentTitle(const QString& path);

    // The map named on the command line, opened before the first paint; a failure's message waits
    // for the dialogs of the start, which come one after the other, never two at once: what went
    // wrong with the settings, the messages told at the start, the tip of the day, the welcome.
    void OpenAtStart(const QString& path);
    void TellAtStart(const QString& message);

    // Carries out a menu command, as its item or accelerator does.
    void runCommand(int commandId);
    // The menu item of a command; the recent files' items are in the "&Recent Files" sub-menu.
    QAction* commandAction(int commandId) const;
    QMenu* recentFilesMenu() const { return recentFilesMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainFrame();
    void buildMenus();
    void updateMenuState();
    void openRecentFile(int index);
    void runStartupDialogs();
    // What went wrong with the settings since it was last told.
    void tellSettingsMessages();

    QMenu* recentFilesMenu_ = nullptr;
    RecentDocumentList recentDocuments_;
    HelpDocuments help_;
    WorkspaceView* workspace_ = nullptr;
    bool closeAfterExport_ = false;
    std::optional<std::uint64_t> tipsGeneration_;
    QStringList startupMessages_;
    bool started_ = false;  // the dialogs of the start are over
    bool tellingSettings_ = false;
};

}  // namespace shell
