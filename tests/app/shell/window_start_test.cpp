// The start of the window as the program makes it (StartWindow), and the settings it keeps in the
// registry: a map on the command line that cannot be opened, a registry held by another program, one
// that is damaged, cannot be made or cannot be written. The window always comes up, never waits
// long, and tells once, naming the file, what it cannot keep.
#include "app/shell/command_ids.h"
#include "app/shell/main_frame.h"
#include "app/shell/preferences.h"
#include "app/shell/settings_wait_dialog.h"
#include "app/shell/welcome_dialog.h"
#include "app/shell/window_start.h"
#include "platform/registry/registry_key.h"
#include "platform/shell/shell_services.h"
#include "tests/app/shell/window_test.h"
#include "tests/support/watchdog.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell_test {
namespace {

using namespace std::chrono_literals;
namespace command = shell::command;

constexpr auto kPatience = 10s;

// Points PINLORE_REGISTRY elsewhere for one scope.
class RegistryElsewhere {
public:
    explicit RegistryElsewhere(const QString& file) : previous_(qgetenv("PINLORE_REGISTRY"))
    {
        qputenv("PINLORE_REGISTRY", QFile::encodeName(file));
    }
    ~RegistryElsewhere() { qputenv("PINLORE_REGISTRY", previous_); }
    RegistryElsewhere(const RegistryElsewhere&) = delete;
    RegistryElsewhere& operator=(const RegistryElsewhere&) = delete;

private:
    QByteArray previous_;
};

// Another program's hold on the registry, as the sqlite3 shell's BEGIN EXCLUSIVE takes it.
class RegistryLock {
public:
    RegistryLock()
    {
        EXPECT_EQ(sqlite3_open(registry::RegistryPath().c_str(), &db_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~RegistryLock() { release(); }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

    void release()
    {
        if (!db_) return;
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
};

class WindowStartTest : public WindowTest {
protected:
    void TearDown() override
    {
        started_.reset();
        WindowTest::TearDown();
    }

    // The window of a start on `document` (the bytes of the command line), once the dialogs of its
    // first paint are over. Settings that start afresh welcome the user, who declines.
    shell::MainFrame& start(const std::optional<QByteArray>& document = std::nullopt, bool declineWelcome = true)
    {
        QTimer declining;
        QObject::connect(&declining, &QTimer::timeout, [] {
            if (auto* welcome = qobject_cast<shell::WelcomeDialog*>(QApplication::activeModalWidget()))
                QMetaObject::invokeMethod(welcome, &QDialog::reject);
        });
        if (declineWelcome) declining.start(5);
        started_ = shell::StartWindow(document, test_support::ComponentsModule::Path());
        EXPECT_TRUE(started_);
        QSignalSpy painted(&started_->workspace(), &shell::WorkspaceView::firstPainted);
        // The frame's own handler runs the dialogs before the spy hears of the paint.
        EXPECT_TRUE(painted.wait(int(std::chrono::milliseconds(kPatience).count())));
        return *started_;
    }

    std::unique_ptr<shell::MainFrame> started_;
};

QString openError(const QString& file, const QString& reason)
{
    return QStringLiteral("An error occurred, the file could not be opened.\n\n%1: %2").arg(file, reason);
}

TEST_F(WindowStartTest, AMapOnTheCommandLineThatCannotBeOpenedIsNamedWithItsReason)
{
    const QString fifo = path("fifo.plm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString picture = path("photo.jpg");
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(picture));
    // A map whose name is not UTF-8: shown with the character that stands for what cannot be read.
    const QByteArray notUtf8Bytes = QFile::encodeName(path("map")) + "\xff.plm";
    const QString notUtf8 = path("map") + QChar(0xFFFD) + ".plm";
    saveMap("valid.plm", 1);
    ASSERT_EQ(::rename(QFile::encodeName(path("valid.plm")).constData(), notUtf8Bytes.constData()), 0);
    const struct {
        QByteArray argument;
        QString message;
    } cases[] = {
        {QFile::encodeName(fifo), openError(fifo, "It is not a regular file.")},
        {QFile::encodeName(picture), openError(picture, "It is not a map Pinlore can read.")},
        {QFile::encodeName(path("gone.plm")), openError(path("gone.plm"), "No such file or directory.")},
        {notUtf8Bytes,
         openError(notUtf8, "Its name is not valid UTF-8, and Pinlore opens only files whose names are.")},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.argument.toStdString());
        const test_support::Watchdog watchdog("starting on " + each.argument.toStdString(), kPatience);
        const std::size_t told = shell_.messages().size();
        shell::MainFrame& window = start(each.argument);
        ASSERT_EQ(shell_.messages().size(), told + 1);
        EXPECT_EQ(shell_.messages().back().text, each.message);
        EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Error);
        EXPECT_TRUE(window.workspace().documentPath().isEmpty());
        EXPECT_EQ(window.windowTitle(), "Pinlore");
    }
}

// The message of a failed open comes before the welcome, each alone on the screen: with the
// desktop's own dialogs, which run their own event loops.
TEST_F(WindowStartTest, TheDialogsOfTheStartComeOneAtATime)
{
    shell::Preferences::SetShowWelcomeDialog(true);
    shell::InstallServices(nullptr);
    std::vector<QString> shown;
    int mostAtOnce = 0;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        int visible = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(widget) && widget->isVisible()) ++visible;
        mostAtOnce = std::max(mostAtOnce, visible);
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool()) return;
        dialog->setProperty("answered", true);
        shown.push_back(QString::fromUtf8(dialog->metaObject()->className()));
        // Answered on the next round, so that a dialog stacked over it would be seen first.
        QTimer::singleShot(50, dialog, &QDialog::reject);
    });
    answering.start(5);
    start(QFile::encodeName(path("gone.plm")), false);
    shell::InstallServices(&shell_);
    EXPECT_EQ(shown, (std::vector<QString>{"QMessageBox", "shell::WelcomeDialog"}));
    EXPECT_EQ(mostAtOnce, 1);
}

TEST_F(WindowStartTest, ARegistryHeldByAnotherProgramIsWaitedForUntilFree)
{
    const QString italy = saveMap("Italy.plm", 1);
    RegistryLock lock;
    QString waitText;
    whenModal<shell::SettingsWaitDialog>([&](shell::SettingsWaitDialog& dialog) {
        waitText = dialog.findChild<QLabel*>()->text();
        QTimer::singleShot(100, [&] { lock.release(); });
    });
    const test_support::Watchdog watchdog("a start while the registry is held", kPatience);
    shell::MainFrame& window = start(QFile::encodeName(italy));
    EXPECT_TRUE(waitText.startsWith("The settings file \"" + QString::fromStdString(registry::RegistryPath()) +
                                    "\" is in use by another program."))
        << waitText.toStdString();
    EXPECT_EQ(window.workspace().documentPath(), italy);
    EXPECT_TRUE(shell_.messages().empty());
    // The settings are those of the file.
    EXPECT_EQ(window.recentDocuments().entries(), QStringList{italy});
    recreateFrame();
    EXPECT_EQ(frame().recentDocuments().entries(), QStringList{italy});
}

TEST_F(WindowStartTest, NotWaitingForAHeldRegistryStartsWithoutSettingsAndSaysSo)
{
    const QString italy = saveMap("Italy.plm", 1);
    const QString file = QString::fromStdString(registry::RegistryPath());
    RegistryLock lock;
    whenModal<shell::SettingsWaitDialog>([](shell::SettingsWaitDialog& dialog) { dialog.reject(); });
    const test_support::Watchdog watchdog("a start while the registry is held", kPatience);
    shell::MainFrame& window = start(QFile::encodeName(italy));
    EXPECT_EQ(window.workspace().documentPath(), italy);
    EXPECT_EQ(shell_.messageTexts(),
              std::vector<QString>{"Pinlore did not wait for its settings file \"" + file +
                                   "\", which another program is using.\n\nPinlore runs with its default settings "
                                   "this time, and keeps none of the changes made to them."});
    lock.release();
    started_.reset();
    // Nothing of the run reached the file: no recent entry.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM registry_value WHERE name = 'Document1'", -1, &query, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(query, 0), 0);
    sqlite3_finalize(query);
    sqlite3_close(db);
}

// A hold taken while the window runs: its idle updates never wait, its commands wait only briefly,
// and the settings it could not save are told once.
TEST_F(WindowStartTest, ARegistryHeldWhileTheWindowRunsNeverFreezesIt)
{
    const QString italy = saveMap("Italy.plm", 1);
    shell::MainFrame& window = start();
    RegistryLock lock;
    const test_support::Watchdog watchdog("the window while the registry is held", kPatience);
    const auto letTheLoopWait = [] {
        QSignalSpy waited(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock);
        EXPECT_TRUE(waited.wait(1000));
    };
    for (int i = 0; i < 20; ++i) letTheLoopWait();
    window.runCommand(command::kShowTipsOnStartup);
    ASSERT_EQ(window.workspace().OpenDocumentFile(italy, true), shell::WorkspaceView::OpenOutcome::Opened);
    for (int i = 0; i < 5; ++i) letTheLoopWait();
    const QString told = "Pinlore could not save its settings in \"" + QString::fromStdString(registry::RegistryPath()) +
                         "\": another program is using the file.";
    ASSERT_EQ(shell_.messages().size(), 1u);
    EXPECT_TRUE(shell_.messages()[0].text.startsWith(told)) << shell_.messages()[0].text.toStdString();
    EXPECT_EQ(window.workspace().documentPath(), italy);
}

// What becomes of the settings when the registry's file is damaged, cannot be made, or cannot be
// written: the window starts all the same and says once, naming the file, what it cannot keep.
TEST_F(WindowStartTest, SettingsThatCannotBeKeptAreToldOnceNamingTheFile)
{
    // A copy: the file in use stays open for writing whatever its mode becomes.
    const QString registryFile = path("settings.sqlite");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(registry::RegistryPath()), registryFile));
    const QString readOnlyFolder = path("read-only");
    ASSERT_TRUE(QDir().mkdir(readOnlyFolder));
    ASSERT_TRUE(QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::ExeOwner));
    const QString nothingKept = "\n\nPinlore runs with its default settings this time, and keeps none of the changes "
                                "made to them.";
    const struct {
        const char* what;
        QString file;
        std::function<void()> harm;
        QString message;
    } cases[] = {
        {"a folder at its path", path("folder"), [this] { QDir().mkdir(path("folder")); },
         "Pinlore cannot keep its settings in \"" + path("folder") + "\": It is a folder, not a file." + nothingKept},
        {"a new file in a read-only folder", readOnlyFolder + "/registry.sqlite", [] {},
         "Pinlore cannot keep its settings in \"" + readOnlyFolder + "/registry.sqlite\": Its folder \"" +
             readOnlyFolder + "\" is read-only." + nothingKept},
        {"a read-only file", registryFile,
         [&] { QFile::setPermissions(registryFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther); },
         "Pinlore cannot save its settings in \"" + registryFile +
             "\": The file is read-only.\n\nThe recent files, the map you have open and changes to your preferences "
             "will not be kept."},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const test_support::Watchdog watchdog(each.what, kPatience);
        const RegistryElsewhere elsewhere(each.file);
        each.harm();
        const std::size_t told = shell_.messages().size();
        shell::MainFrame& window = start();
        ASSERT_EQ(shell_.messages().size(), told + 1);
        EXPECT_EQ(shell_.messages().back().text, each.message);
        EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Warning);
        // The window works, and says it no more.
        window.workspace().OpenDocumentFile(saveMap("Italy.plm", 1), true);
        window.runCommand(command::kShowTipsOnStartup);
        QTest::qWait(50);
        EXPECT_EQ(shell_.messages().size(), told + 1);
        started_.reset();
    }
    QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(WindowStartTest, ADamagedRegistryIsKeptAsideAndItsLossIsTold)
{
    const std::string file = registry::RegistryPath();
    {
        QFile damaged(QString::fromStdString(file));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(8192, 'x'));
    }
    start();
    ASSERT_EQ(shell_.messages().size(), 1u);
    const QString text = shell_.messages()[0].text;
    const QString kept = text.section('"', -2, -2);
    EXPECT_TRUE(text.startsWith("Pinlore's settings file was damaged and could not be read")) << text.toStdString();
    EXPECT_TRUE(kept.startsWith(QString::fromStdString(file) + ".corrupt-")) << text.toStdString();
    EXPECT_EQ(QFile(kept).size(), 8192);
}

}  // namespace
}  // namespace shell_test
