#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "tests/app/shell/window_test.h"

#include <QAbstractEventDispatcher>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWindow>

namespace shell_test {
namespace {

using shell::MessageAnswer;
namespace command = shell::command;

class MainFrameTest : public WindowTest {
protected:
    // Lets the event loop reach the point where it would wait, which is when the menu state is
    // brought up to date.
    void letTheLoopWait()
    {
        QSignalSpy waited(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock);
        ASSERT_TRUE(waited.wait(5000));
    }
    bool enabled(int id) { return frame().commandAction(id)->isEnabled(); }
    void deleteFirstSpot()
    {
        com::ComPtr<IBaseSpot> first;
        workspace().document()->FirstSpot(first.put());
        workspace().document()->PutCurrentSpot(first.get());
        workspace().mapView()->OnDeleteKey();
    }
};

TEST_F(MainFrameTest, TheMenusAreThoseOfTheProgram)
{
    struct Item {
        QString text;  // empty for a separator
        int id;
        QList<QKeySequence> keys;
    };
    const std::vector<std::pair<QString, std::vector<Item>>> menus = {
        {"&File",
         {{"&New\tCtrl+N", command::kNew, {QKeySequence("Ctrl+N")}},
          {"&Open...\tCtrl+O", command::kOpen, {QKeySequence("Ctrl+O")}},
          {"&Save\tCtrl+S", command::kSave, {QKeySequence("Ctrl+S")}},
          {"Save &As...", command::kSaveAs, {QKeySequence("Ctrl+Shift+S")}},
          {"&Export to HTML...", command::kExportToHtml, {}},
          {"&Pack Map...", command::kPackMap, {}},
          {"", 0, {}},
          {"&Recent Files", 0, {}},
          {"", 0, {}},
          {"E&xit", command::kExit, {QKeySequence("Ctrl+Q")}}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", command::kUndo, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
          {"&Redo\tCtrl+Y", command::kRedo, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
          {"", 0, {}},
          {"Spot &Story...\tF2", command::kSpotStory, {QKeySequence("F2")}},
          {"", 0, {}},
          {"&Full Screen\tF11", command::kFullScreen, {QKeySequence("F11")}},
          {"Re&load Folder\tF5", command::kReloadFolder, {QKeySequence("F5")}}}},
        {"&Help",
         {{"&Contents...\tF1", command::kHelpContents, {QKeySequence("F1")}},
          {"&Tutorial...", command::kTutorial, {}},
          {"", 0, {}},
          {"&Show Tips on Startup", command::kShowTipsOnStartup, {}},
          {"", 0, {}},
          {"&About Pinlore...", command::kAbout, {}}}},
    };
    const QList<QAction*> bar = frame().menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(menus[m].first.toStdString());
        EXPECT_EQ(bar[m]->text(), menus[m].first);
        const QList<QAction*> items = bar[m]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(menus[m].second.size()));
        for (qsizetype i = 0; i < items.size(); ++i) {
            const Item& expected = menus[m].second[i];
            SCOPED_TRACE(expected.text.toStdString());
            EXPECT_EQ(items[i]->isSeparator(), expected.text.isEmpty());
            if (expected.text.isEmpty()) continue;
            EXPECT_EQ(items[i]->text(), expected.text);
            if (items[i]->menu()) continue;
            EXPECT_EQ(items[i]->data().toInt(), expected.id);
            EXPECT_EQ(items[i]->shortcuts(), expected.keys);
        }
    }
    EXPECT_EQ(frame().findChildren<QToolBar*>().size(), 0);
    EXPECT_EQ(frame().findChildren<QStatusBar*>().size(), 0);
}

TEST_F(MainFrameTest, TheTitleNamesTheDocumentsFileExactly)
{
    frame().winId();
    EXPECT_EQ(frame().windowHandle()->title(), "Pinlore");
    const QString odd = saveMap("Trip [*] Italy.plm", 1);
    ASSERT_EQ(workspace().OpenDocumentFile(odd, true), shell::WorkspaceView::OpenOutcome::Opened);
    EXPECT_EQ(frame().windowHandle()->title(), "Trip [*] Italy.plm - Pinlore");
    shell_.answerSaveFile(path("Spain.plm"));
    frame().runCommand(command::kSaveAs);
    EXPECT_EQ(frame().windowHandle()->title(), "Spain.plm - Pinlore");
    frame().runCommand(command::kNew);
    EXPECT_EQ(frame().windowHandle()->title(), "Pinlore");
}

TEST_F(MainFrameTest, TheMenuStateFollowsEditsUndoAndRedoWhenTheLoopWaits)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 2), true);
    letTheLoopWait();
    EXPECT_FALSE(enabled(command::kUndo));
    EXPECT_FALSE(enabled(command::kRedo));

    deleteFirstSpot();
    letTheLoopWait();
    EXPECT_TRUE(enabled(command::kUndo));
    EXPECT_FALSE(enabled(command::kRedo));

    frame().commandAction(command::kUndo)->trigger();
    letTheLoopWait();
    EXPECT_EQ(spotCount(), 2);
    EXPECT_FALSE(enabled(command::kUndo));
    EXPECT_TRUE(enabled(command::kRedo));

    frame().commandAction(command::kRedo)->trigger();
    letTheLoopWait();
    EXPECT_EQ(spotCount(), 1);
    EXPECT_TRUE(enabled(command::kUndo));
    EXPECT_FALSE(enabled(command::kRedo));
}

TEST_F(MainFrameTest, ShowTipsOnStartupTogglesThePreferenceAndItsCheckMark)
{
    letTheLoopWait();
    EXPECT_FALSE(frame().commandAction(command::kShowTipsOnStartup)->isChecked());
    for (const bool expected : {true, false}) {
        frame().commandAction(command::kShowTipsOnStartup)->trigger();
        EXPECT_EQ(shell::Preferences::ShowTipsOnStartup(), expected);
        letTheLoopWait();
        EXPECT_EQ(frame().commandAction(command::kShowTipsOnStartup)->isChecked(), expected);
    }
}

TEST_F(MainFrameTest, CloseAsksOnceAndCancelKeepsTheProgramRunning)
{
    struct Case {
        const char* what;
        MessageAnswer answer;
        bool closes;
        int spotsSaved;
    };
    const Case cases[] = {
        {"Cancel", MessageAnswer::Cancel, false, 2},
        {"No", MessageAnswer::No, true, 2},
        {"Yes", MessageAnswer::Yes, true, 1},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        shell::Preferences::SetRootMap({});
        recreateFrame();
        const QString map = saveMap("Italy.plm", 2);
        workspace().OpenDocumentFile(map, true);
        deleteFirstSpot();
        frame().show();
        const std::size_t asked = shell_.messages().size();
        shell_.answerMessage(each.answer);
        frame().runCommand(command::kExit);
        EXPECT_EQ(shell_.messages().size(), asked + 1);
        EXPECT_EQ(shell_.messages().back().text, "Save Current Document?");
        EXPECT_EQ(frame().isVisible(), !each.closes);
        EXPECT_EQ(spotCount(), 1);
        EXPECT_EQ(spotsSavedIn(map), each.spotsSaved);
        EXPECT_EQ(shell::Preferences::RootMap(), each.closes ? map : QString());
    }
}

TEST_F(MainFrameTest, TheRootMapOfTheLastRunOpensSilentlyAtStart)
{
    const QString country = saveMap("Country.plm", 1);
    shell::Preferences::SetRootMap(country);
    recreateFrame();
    EXPECT_EQ(workspace().documentPath(), country);
    EXPECT_EQ(frame().windowTitle(), "Country.plm - Pinlore");

    shell::Preferences::SetRootMap(path("gone.plm"));
    recreateFrame();
    EXPECT_TRUE(workspace().documentPath().isEmpty());
    EXPECT_EQ(spotCount(), 0);
    EXPECT_TRUE(shell_.messages().empty());
}

TEST_F(MainFrameTest, TheFiveHostsFillTheirPlacesAndMaximiseAfterTheEventReturns)
{
    // The frame is sized so that its client area, the workspace, is 600 x 400.
    frame().show();
    const QSize around = frame().size() - workspace().size();
    frame().resize(QSize(600, 400) + around);
    ASSERT_TRUE(QTest::qWaitFor([&] { return workspace().size() == QSize(600, 400); }));
    const auto placesAre = [&](QRect palette, QRect list, QRect views, QRect controller) {
        EXPECT_EQ(workspace().toolPaletteHost()->geometry(), palette);
        EXPECT_EQ(workspace().tableControlHost()->geometry(), list);
        EXPECT_EQ(workspace().mapViewHost()->geometry(), views);
        EXPECT_EQ(workspace().slideShowViewHost()->geometry(), views);
        EXPECT_EQ(workspace().slideShowControllerHost()->geometry(), controller);
    };
    const QRect palette(2, 4, 194, 25);
    const QRect list(0, 30, 200, 368);
    placesAre(palette, list, QRect(202, 2, 398, 363), QRect(200, 365, 400, 35));

    workspace().Maximize();
    EXPECT_FALSE(workspace().toolPaletteHost()->isVisible());
    EXPECT_FALSE(workspace().tableControlHost()->isVisible());
    EXPECT_EQ(workspace().mapViewHost()->geometry(), QRect(202, 2, 398, 363));
    EXPECT_TRUE(QTest::qWaitFor([&] { return workspace().mapViewHost()->geometry() == QRect(2, 2, 598, 363); }));
    placesAre(palette, list, QRect(2, 2, 598, 363), QRect(2, 365, 598, 35));
    com::LONG maximized = 0;
    workspace().mapView()->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 1);

    workspace().Maximize();
    EXPECT_TRUE(workspace().maximised());
    workspace().Restore();
    EXPECT_TRUE(workspace().toolPaletteHost()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return workspace().mapViewHost()->geometry() == QRect(202, 2, 398, 363); }));
    placesAre(palette, list, QRect(202, 2, 398, 363), QRect(200, 365, 400, 35));
    workspace().mapView()->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 0);
}

}  // namespace
}  // namespace shell_test
