#include "app/shell/main_frame.h"

#include "app/shell/about_dialog.h"
#include "app/shell/command_ids.h"
#include "app/shell/pack_map_command.h"
#include "app/shell/preferences.h"
#include "app/shell/settings_store.h"
#include "app/shell/startup_dialogs.h"
#include "app/shell/workspace_view.h"
#include "platform/registry/registry_key.h"
#include "platform/shell/shell_services.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <stdexcept>

namespace shell {

namespace {

const QString kProgramTitle = QStringLiteral("Pinlore");
// The first window's size, where the screen has the room.
constexpr QSize kFirstSize(960, 680);

// Qt reads "[*]" in a title as the place of the modified mark; doubled, it shows as written.
QString literalTitle(QString title)
{
    return title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

}  // namespace

std::unique_ptr<MainFrame> MainFrame::Create()
{
    std::unique_ptr<MainFrame> frame(new MainFrame());
    try {
        frame->workspace_ = new WorkspaceView(*frame, frame.get());
    } catch (const std::runtime_error&) {
        return nullptr;
    }
    frame->setCentralWidget(frame->workspace_);
    frame->setFocusProxy(frame->workspace_);
    MainFrame* self = frame.get();
    connect(self->workspace_, &WorkspaceView::firstPainted, self, &MainFrame::runStartupDialogs);
    return frame;
}

void MainFrame::OpenAtStart(const QString& path)
{
    if (const std::optional<QString> failure = workspace_->OpenAtStart(path)) TellAtStart(*failure);
}

void MainFrame::TellAtStart(const QString& message)
{
    startupMessages_.append(message);
    if (started_) runStartupDialogs();
}

void MainFrame::runStartupDialogs()
{
    const bool first = !std::exchange(started_, true);
    tellSettingsMessages();
    for (const QString& message : std::exchange(startupMessages_, {}))
        Services().messageBox(this, message, kProgramTitle, MessageButtons::Ok, MessageIcon::Error);
    if (first) RunStartupDialogs(*workspace_, [this] { help_.StartTutorial(*workspace_); });
}

void MainFrame::tellSettingsMessages()
{
    for (const QString& message : SettingsStore::TakeMessages())
        Services().messageBox(this, message, kProgramTitle, MessageButtons::Ok, MessageIcon::Warning);
    tellingSettings_ = false;
}

MainFrame::MainFrame()
    : recentFilesMenu_(new QMenu(QStringLiteral("&Recent Files"), this)),
      recentDocuments_(recentFilesMenu_),
      help_(QCoreApplication::applicationDirPath())
{
    setWindowTitle(kProgramTitle);
    setWindowIcon(QIcon(QStringLiteral(":/pinlore/pinlore.png")));
    placeWindow();
    buildMenus();
    recentDocuments_.setMaxSize(RecentDocumentList::kDefaultMaxSize);
    recentDocuments_.readFromRegistry();
    // The menu state follows the document whenever the event loop is about to wait, so it is right
    // by the time the user can look at it.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &MainFrame::updateMenuState);
}

MainFrame::~MainFrame() = default;

void MainFrame::buildMenus()
{
    struct Item {
        const char* text;  // null for a separator
        int command;
        QList<QKeySequence> keys;
    };
    const auto fill = [this](QMenu* menu, std::initializer_list<Item> items) {
        for (const Item& item : items) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            // The text after the tab is what the menu shows as the accelerator; the keys are set
            // apart, some commands having two.
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setData(item.command);
            action->setShortcuts(item.keys);
            action->setShortcutContext(Qt::WindowShortcut);
            connect(action, &QAction::triggered, this, [this, command = item.command] { runCommand(command); });
        }
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    fill(file, {{"&New\tCtrl+N", command::kNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
                {"&Open...\tCtrl+O", command::kOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
                {"&Save\tCtrl+S", command::kSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
                {"Save &As...", command::kSaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
                {"&Export to HTML...", command::kExportToHtml, {}},
                {"&Pack Map...", command::kPackMap, {}},
                {nullptr, 0, {}}});
    file->addMenu(recentFilesMenu_);
    connect(recentFilesMenu_, &QMenu::triggered, this, [this](QAction* action) { runCommand(action->data().toInt()); });
    fill(file, {{nullptr, 0, {}}, {"E&xit", command::kExit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}}});

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    fill(edit, {{"&Undo\tCtrl+Z", command::kUndo,
                 {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
                {"&Redo\tCtrl+Y", command::kRedo,
                 {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
                {nullptr, 0, {}},
                {"Spot &Story...\tF2", command::kSpotStory, {QKeySequence(Qt::Key_F2)}},
                {nullptr, 0, {}},
                {"&Full Screen\tF11", command::kFullScreen, {QKeySequence(Qt::Key_F11)}},
                {"Re&load Folder\tF5", command::kReloadFolder, {QKeySequence(Qt::Key_F5)}}});
    commandAction(command::kFullScreen)->setCheckable(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    fill(help, {{"&Contents...\tF1", command::kHelpContents, {QKeySequence(Qt::Key_F1)}},
                {"&Tutorial...", command::kTutorial, {}},
                {nullptr, 0, {}},
                {"&Show Tips on Startup", command::kShowTipsOnStartup, {}},
                {nullptr, 0, {}},
                {"&About Pinlore...", command::kAbout, {}}});
    commandAction(command::kShowTipsOnStartup)->setCheckable(true);
}

QAction* MainFrame::commandAction(int commandId) const
{
    for (QAction* menu : menuBar()->actions()) {
        if (!menu->menu()) continue;
        for (QAction* action : menu->menu()->actions())
            if (!action->isSeparator() && !action->menu() && action->data().toInt() == commandId) return action;
    }
    for (QAction* action : recentFilesMenu_->actions())
        if (action->data().toInt() == commandId) return action;
    return nullptr;
}

void MainFrame::updateMenuState()
{
    commandAction(command::kUndo)->setEnabled(workspace_ && workspace_->UndoAvailable());
    commandAction(command::kRedo)->setEnabled(workspace_ && workspace_->RedoAvailable());
    commandAction(command::kFullScreen)->setChecked(isFullScreen());
    commandAction(command::kSpotStory)->setEnabled(workspace_ && workspace_->HasCurrentSpot());
    // The loop waits many times a second; the preference is read again only when the registry
    // changed, and never waits for it: while another program holds it, the mark stays as it was.
    const std::uint64_t generation = registry::RegistryGeneration();
    if (!tipsGeneration_ || *tipsGeneration_ != generation) {
        if (const std::optional<bool> show = Preferences::ShowTipsOnStartupAtOnce()) {
            tipsGeneration_ = generation;
            commandAction(command::kShowTipsOnStartup)->setChecked(*show);
        }
    }
    // Told once the loop is free of dialogs, so that the message never stacks over another.
    if (started_ && !tellingSettings_ && !QApplication::activeModalWidget() && SettingsStore::MessagesPending()) {
        tellingSettings_ = true;
        QMetaObject::invokeMethod(this, &MainFrame::tellSettingsMessages, Qt::QueuedConnection);
    }
}

void MainFrame::SetDocumentPath(const QString& path)
{
    recentDocuments_.add(path);
    recentDocuments_.writeToRegistry();
    ShowDocumentTitle(path);
}

void MainFrame::ShowDocumentTitle(const QString& path)
{
    setWindowTitle(path.isEmpty() ? kProgramTitle
                                  : literalTitle(QFileInfo(path).fileName() + QStringLiteral(" - ") + kProgramTitle));
}

void MainFrame::runCommand(int commandId)
{
    if (commandId >= command::kFirstRecentFile && commandId <= command::kLastRecentFile) {
        openRecentFile(commandId - command::kFirstRecentFile);
        return;
    }
    switch (commandId) {
    case command::kNew:
        workspace_->New();
        break;
    case command::kOpen:
        workspace_->Open();
        break;
    case command::kSave:
        workspace_->Save();
        break;
    case command::kSaveAs:
        workspace_->SaveAs();
        break;
    case command::kExportToHtml:
        workspace_->ExportToHtml();
        // A close asked for during the export was held back until its worker had ended.
        if (closeAfterExport_) {
            closeAfterExport_ = false;
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
        break;
    case command::kPackMap:
        PackMapCommand(*workspace_).run();
        break;
    case command::kExit:
        close();
        break;
    case command::kUndo:
        workspace_->Undo();
        break;
    case command::kRedo:
        workspace_->Redo();
        break;
    case command::kSpotStory:
        workspace_->EditSpotStory();
        break;
    case command::kHelpContents:
        help_.OpenHelp(this);
        break;
    case command::kTutorial:
        help_.StartTutorial(*workspace_);
        break;
    case command::kFullScreen:
        // Leaving full screen goes back to the window as it was, maximised or not.
        setWindowState(windowState() ^ Qt::WindowFullScreen);
        break;
    case command::kReloadFolder:
        workspace_->ReloadFolder();
        break;
    case command::kShowTipsOnStartup:
        Preferences::SetShowTipsOnStartup(!Preferences::ShowTipsOnStartup());
        break;
    case command::kAbout: {
        AboutDialog about(QApplication::activeWindow() ? QApplication::activeWindow() : this);
        about.exec();
        break;
    }
    default:
        break;
    }
}

void MainFrame::openRecentFile(int index)
{
    const std::optional<QString> path = recentDocuments_.entry(index);
    if (!path) {
        Services().playRefusedSound();
        return;
    }
    // A user who cancels the save question has not found the entry wanting: it stays.
    if (workspace_->OpenDocumentFile(*path, true) == WorkspaceView::OpenOutcome::Failed)
        recentDocuments_.remove(index);
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (workspace_->CancelExport()) {
        closeAfterExport_ = true;
        event->ignore();
        return;
    }
    if (!workspace_->CloseRequest()) {
        event->ignore();
        return;
    }
    Preferences::SetWindowPlacement(saveGeometry());
    // The root map stored just now may be what could not be saved.
    tellSettingsMessages();
    event->accept();
}

void MainFrame::placeWindow()
{
    const QByteArray placement = Preferences::WindowPlacement();
    if (!placement.isEmpty() && restoreGeometry(placement)) {
        // A window closed in full screen comes back as it was before.
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        return;
    }
    // The first window fits the screen's room for windows at any scaling, its frame included.
    const QRect room = screen()->availableGeometry();
    QRect placed(QPoint(), kFirstSize.boundedTo(room.size() * 0.9));
    placed.moveCenter(room.center());
    setGeometry(placed);
}

}  // namespace shell
