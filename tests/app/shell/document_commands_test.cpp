#include "app/export/document_snapshot.h"
#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "components/interfaces/map_spot.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"

#include "platform/ui/hosted_control.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QFileInfo>
#include <QTest>

namespace shell_test {
namespace {

using shell::MessageAnswer;
using shell::WorkspaceView;
using Outcome = WorkspaceView::OpenOutcome;
namespace command = shell::command;

const QString kSavePrompt = QStringLiteral("Save Current Document?");
const QString kNoSuchFile = QStringLiteral("No such file or directory.");

// The sentence of a failed open, then the file and why.
QString openError(const QString& file, const QString& reason)
{
    return QStringLiteral("An error occurred, the file could not be opened.\n\n%1: %2").arg(file, reason);
}

class DocumentCommandsTest : public WindowTest {
protected:
    void deleteFirstSpot()
    {
        com::ComPtr<IBaseSpot> first;
        workspace().document()->FirstSpot(first.put());
        workspace().document()->DeleteSpot(first.get());
        makeDirty();
    }
    // An open map with two photo spots, changed since it was saved.
    QString openChangedMap(const QString& name = "Italy.plm")
    {
        const QString map = saveMap(name, 2);
        EXPECT_EQ(workspace().OpenDocumentFile(map, true), Outcome::Opened);
        makeDirty();
        return map;
    }
    QString rootMap()
    {
        com::Bstr root;
        workspace().mapView()->GetRootMap(root.put());
        return ui::ToQString(root.view());
    }
};

TEST_F(DocumentCommandsTest, TheSavePromptOfNewSavesDiscardsOrKeeps)
{
    struct Case {
        const char* what;
        MessageAnswer answer;
        bool emptied;
        bool saved;
    };
    const Case cases[] = {
        {"Yes", MessageAnswer::Yes, true, true},
        {"No", MessageAnswer::No, true, false},
        {"Cancel", MessageAnswer::Cancel, false, false},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        const QString map = openChangedMap();
        deleteFirstSpot();
        shell_.answerMessage(each.answer);
        frame().runCommand(command::kNew);
        EXPECT_EQ(shell_.messages().back().text, kSavePrompt);
        EXPECT_EQ(shell_.messages().back().title, "Pinlore");
        EXPECT_EQ(shell_.messages().back().buttons, shell::MessageButtons::YesNoCancel);
        EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Warning);
        EXPECT_EQ(spotCount(), each.emptied ? 0 : 1);
        EXPECT_EQ(workspace().documentPath().isEmpty(), each.emptied);
        EXPECT_EQ(spotsSavedIn(map), each.saved ? 1 : 2);
        if (!each.emptied) {
            shell_.answerMessage(MessageAnswer::No);
            frame().runCommand(command::kNew);
        }
    }
}

TEST_F(DocumentCommandsTest, OpenAsksOnlyAfterAFileIsChosen)
{
    const QString italy = openChangedMap();
    const QString spain = saveMap("Spain.plm", 1);

    shell_.answerOpenFile(std::nullopt);
    frame().runCommand(command::kOpen);
    EXPECT_TRUE(shell_.messages().empty());
    ASSERT_EQ(shell_.openFileRequests().size(), 1u);
    const auto& request = shell_.openFileRequests().front();
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, "Pinlore (*.plm)");
    EXPECT_EQ(request.filters[0].pattern, "*.plm");
    EXPECT_EQ(request.selectedFilter, 0);
    EXPECT_EQ(request.owner, &frame()) << "the dialog belongs to the window, as those of Save do";

    // Cancel keeps the document, its path and its title.
    shell_.answerOpenFile(spain);
    shell_.answerMessage(MessageAnswer::Cancel);
    frame().runCommand(command::kOpen);
    EXPECT_EQ(workspace().documentPath(), italy);
    EXPECT_EQ(spotCount(), 2);
    EXPECT_EQ(frame().windowTitle(), "Italy.plm - Pinlore");

    // No discards the changes; Yes saves them first.
    struct Case {
        const char* what;
        MessageAnswer answer;
        int italySpotsSaved;
    };
    const Case cases[] = {{"No", MessageAnswer::No, 2}, {"Yes", MessageAnswer::Yes, 1}};
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        com::VARIANT_BOOL clean = com::VARIANT_FALSE;
        workspace().document()->SetDirty(&clean);
        workspace().OpenDocumentFile(italy, true);
        deleteFirstSpot();
        shell_.answerOpenFile(spain);
        shell_.answerMessage(each.answer);
        frame().runCommand(command::kOpen);
        EXPECT_EQ(workspace().documentPath(), spain);
        EXPECT_EQ(spotCount(), 1);
        EXPECT_EQ(frame().windowTitle(), "Spain.plm - Pinlore");
        EXPECT_EQ(frame().recentDocuments().entries(), (QStringList{spain, italy}));
        EXPECT_EQ(spotsSavedIn(italy), each.italySpotsSaved);
    }
}

TEST_F(DocumentCommandsTest, AFailedOpenKeepsTheDocumentAndItsPath)
{
    const QString italy = saveMap("Italy.plm", 2);
    workspace().OpenDocumentFile(italy, true);
    QFile damaged(path("damaged.plm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<not a map");
    damaged.close();

    EXPECT_EQ(workspace().OpenDocumentFile(damaged.fileName(), true), Outcome::Failed);
    EXPECT_EQ(shell_.messages().back().text, openError(damaged.fileName(), "It is not a map Pinlore can read."));
    EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Error);
    EXPECT_EQ(workspace().documentPath(), italy);
    EXPECT_EQ(spotCount(), 2);

    // A following Save writes the old document to its old file.
    workspace().document()->SetMapFile(nullptr);
    EXPECT_TRUE(workspace().Save());
    recreateFrame();
    workspace().OpenDocumentFile(italy, true);
    EXPECT_EQ(spotCount(), 2);
    com::Bstr mapFile;
    workspace().document()->GetMapFile(mapFile.put());
    EXPECT_TRUE(mapFile.view().empty());
}

TEST_F(DocumentCommandsTest, ANameInQuotesFromTheCommandLineIsNoFile)
{
    const QString quoted = QFileInfo("\"" + saveMap("Italy.plm", 1) + "\"").absoluteFilePath();
    EXPECT_EQ(workspace().OpenDocumentFile(quoted, true), Outcome::Failed);
    EXPECT_EQ(shell_.messageTexts(), std::vector<QString>{openError(quoted, kNoSuchFile)});
}

TEST_F(DocumentCommandsTest, SavingAnUntitledMapAsksForAFile)
{
    makeDirty();
    shell_.answerSaveFile(std::nullopt);
    EXPECT_FALSE(workspace().Save());
    EXPECT_TRUE(shell_.messages().empty());
    EXPECT_TRUE(workspace().documentPath().isEmpty());
    ASSERT_EQ(shell_.saveFileRequests().size(), 1u);
    EXPECT_EQ(shell_.saveFileRequests()[0].defaultSuffix, "plm");
    EXPECT_TRUE(shell_.saveFileRequests()[0].initialName.isEmpty());

    const QString chosen = path("New Map.plm");
    shell_.answerSaveFile(chosen);
    EXPECT_TRUE(workspace().Save());
    EXPECT_EQ(workspace().documentPath(), chosen);
    EXPECT_TRUE(QFileInfo::exists(chosen));
    EXPECT_FALSE(dirty());
    // The map now has a file: the title names it and the recent files hold it.
    EXPECT_EQ(frame().windowTitle(), "New Map.plm - Pinlore");
    EXPECT_EQ(frame().recentDocuments().entries(), QStringList{chosen});

    // Save As starts from the document's path.
    shell_.answerSaveFile(path("Copy.plm"));
    EXPECT_TRUE(workspace().SaveAs());
    EXPECT_EQ(shell_.saveFileRequests().back().initialName, chosen);
    EXPECT_EQ(workspace().documentPath(), path("Copy.plm"));
    EXPECT_EQ(frame().windowTitle(), "Copy.plm - Pinlore");
    EXPECT_EQ(frame().recentDocuments().entries(), (QStringList{path("Copy.plm"), chosen}));
}

// The map keeps the path of the file that holds it: Ctrl+S after a failed Save As writes where the
// map was saved before, and the root map stored at the close is a file that is there.
TEST_F(DocumentCommandsTest, AFailedSaveSaysSoAndKeepsThePathTheMapWasSavedAt)
{
    const QString unwritable = path("no such folder/Italy.plm");
    const QString italy = saveMap("Italy.plm", 2);
    struct Case {
        const char* what;
        QString opened;
        std::function<bool(WorkspaceView&)> save;
        QString message;
    };
    const Case cases[] = {
        {"Save of an untitled map", QString(), [](WorkspaceView& view) { return view.Save(); },
         "An error occurred, the file was not saved."},
        {"Save As", italy, [](WorkspaceView& view) { return view.SaveAs(); },
         "An error occurred, the file could not be saved."},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        if (!each.opened.isEmpty()) {
            shell_.answerMessage(MessageAnswer::No);
            workspace().OpenDocumentFile(each.opened, true);
        }
        shell_.answerSaveFile(unwritable);
        makeDirty();
        EXPECT_FALSE(each.save(workspace()));
        EXPECT_EQ(shell_.messages().back().text, each.message);
        EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Error);
        EXPECT_EQ(workspace().documentPath(), each.opened);
        EXPECT_EQ(frame().windowTitle(), each.opened.isEmpty() ? "Pinlore" : "Italy.plm - Pinlore");
        EXPECT_TRUE(dirty());
        EXPECT_FALSE(frame().recentDocuments().entries().contains(unwritable)) << "no file was made to come back to";
    }
    deleteFirstSpot();
    frame().runCommand(command::kSave);
    EXPECT_FALSE(dirty());
    EXPECT_EQ(spotsSavedIn(italy), 1);
    EXPECT_TRUE(workspace().CloseRequest());
    EXPECT_EQ(shell::Preferences::RootMap(), italy);
}

TEST_F(DocumentCommandsTest, YesToThePromptWithoutASaveKeepsTheChanges)
{
    // A map whose file can no longer be written...
    const QString italy = openChangedMap();
    QFile::remove(italy);
    ASSERT_TRUE(QDir().mkdir(italy));
    shell_.answerMessage(MessageAnswer::Yes);
    frame().runCommand(command::kNew);
    EXPECT_EQ(shell_.messageTexts(),
              (std::vector<QString>{kSavePrompt, "An error occurred, the file was not saved."}));
    EXPECT_EQ(spotCount(), 2);
    EXPECT_EQ(workspace().documentPath(), italy);
    EXPECT_TRUE(dirty());

    // ...and an untitled map whose save dialog is cancelled are both still there afterwards.
    shell_.answerMessage(MessageAnswer::No);
    frame().runCommand(command::kNew);
    workspace().document()->SetMapFile(ui::ToBstr(path("map picture.png")).get());
    makeDirty();
    shell_.answerMessage(MessageAnswer::Yes);
    shell_.answerSaveFile(std::nullopt);
    frame().runCommand(command::kNew);
    EXPECT_TRUE(dirty());
    com::Bstr mapFile;
    workspace().document()->GetMapFile(mapFile.put());
    EXPECT_EQ(ui::ToQString(mapFile.view()), path("map picture.png"));
}

TEST_F(DocumentCommandsTest, RecentEntriesOpenAskAndForgetFilesThatAreGone)
{
    const QString italy = saveMap("Italy.plm", 2);
    const QString spain = saveMap("Spain.plm", 1);
    workspace().OpenDocumentFile(spain, true);
    workspace().OpenDocumentFile(italy, true);
    makeDirty();

    // The second newest is Spain; Cancel in the prompt opens nothing and forgets nothing.
    shell_.answerMessage(MessageAnswer::Cancel);
    frame().runCommand(command::kFirstRecentFile + 1);
    EXPECT_EQ(workspace().documentPath(), italy);
    EXPECT_EQ(frame().recentDocuments().entries(), (QStringList{italy, spain}));

    shell_.answerMessage(MessageAnswer::No);
    frame().runCommand(command::kFirstRecentFile + 1);
    EXPECT_EQ(workspace().documentPath(), spain);
    EXPECT_EQ(frame().recentDocuments().entries(), (QStringList{spain, italy}));

    // A file that is gone gives the open error and leaves its entry out; the list stays usable.
    QFile::remove(italy);
    frame().runCommand(command::kFirstRecentFile + 1);
    EXPECT_EQ(shell_.messages().back().text, openError(italy, kNoSuchFile));
    EXPECT_EQ(frame().recentDocuments().entries(), QStringList{spain});
    EXPECT_EQ(frame().recentFilesMenu()->actions().size(), 1);
    EXPECT_EQ(workspace().documentPath(), spain);

    // An entry beyond the end only beeps.
    frame().runCommand(command::kFirstRecentFile + 5);
    EXPECT_EQ(shell_.refusedSounds(), 1);

    // The list was written at the last open, so the next start still shows Italy until a write.
    recreateFrame();
    EXPECT_EQ(frame().recentDocuments().entries(), (QStringList{spain, italy}));
}

TEST_F(DocumentCommandsTest, GoingIntoALinkedMapFromAnUntitledMapWarnsThenAsksToSave)
{
    const QString city = saveMap("City.plm", 2);
    const QString warning = "The current map must be saved before you can go to a new map.";

    // A clean untitled map cannot be left this way.
    workspace().GoToLinkedMap(city);
    EXPECT_EQ(shell_.messageTexts(), std::vector<QString>{warning});
    EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Warning);
    EXPECT_TRUE(workspace().documentPath().isEmpty());

    // A changed one is saved first, then left.
    const QString country = path("Country.plm");
    makeDirty();
    shell_.answerMessage(MessageAnswer::Yes);
    shell_.answerSaveFile(country);
    workspace().GoToLinkedMap(city);
    EXPECT_EQ(shell_.messageTexts(), (std::vector<QString>{warning, warning, kSavePrompt}));
    EXPECT_EQ(workspace().documentPath(), city);
    EXPECT_EQ(rootMap(), country);
    EXPECT_EQ(currentSpotIndex(), 0);

    // Closed inside the linked map, the program remembers the outermost map for the next start.
    EXPECT_TRUE(workspace().CloseRequest());
    EXPECT_EQ(shell::Preferences::RootMap(), country);
}

TEST_F(DocumentCommandsTest, ZoomingOutWalksBackThroughTheStackToTheLinkingSpot)
{
    const QString town = saveMap("Town.plm", 1);
    const QString city = saveMap("City.plm", 1, {town});
    // Two spots of the country link to the city: the later one is the one shown on the way out.
    const QString country = saveMap("Country.plm", 1, {city, city});

    workspace().OpenDocumentFile(country, true);
    workspace().GoToLinkedMap(city);
    workspace().GoToLinkedMap(town);
    EXPECT_EQ(rootMap(), country);

    workspace().ZoomOut(city);
    EXPECT_EQ(workspace().documentPath(), city);
    EXPECT_EQ(currentSpotIndex(), 1);
    workspace().ZoomOut(country);
    EXPECT_EQ(workspace().documentPath(), country);
    EXPECT_EQ(currentSpotIndex(), 2);
    EXPECT_EQ(rootMap(), QString());

    // A zoom out to a map that is gone stops where it is.
    workspace().ZoomOut(path("gone.plm"));
    EXPECT_EQ(workspace().documentPath(), country);
    EXPECT_EQ(shell_.messageTexts(), std::vector<QString>{openError(path("gone.plm"), kNoSuchFile)});

    // New empties the stack.
    workspace().GoToLinkedMap(city);
    frame().runCommand(command::kNew);
    EXPECT_EQ(rootMap(), QString());
}

TEST_F(DocumentCommandsTest, AMapDroppedOnTheViewIsAskedForOnce)
{
    const QString italy = openChangedMap();
    const QString spain = saveMap("Spain.plm", 1);

    shell_.answerMessage(MessageAnswer::Cancel);
    workspace().ActivateFile(spain);
    EXPECT_EQ(workspace().documentPath(), italy);

    shell_.answerMessage(MessageAnswer::No);
    workspace().ActivateFile(spain);
    EXPECT_EQ(workspace().documentPath(), spain);
    EXPECT_EQ(shell_.messageTexts(), (std::vector<QString>{kSavePrompt, kSavePrompt}));

    // Pictures, sounds and other files are not maps to open.
    workspace().ActivateFile(path("map picture.png"));
    workspace().ActivateFile(path("song.mp3"));
    EXPECT_EQ(workspace().documentPath(), spain);
}

TEST_F(DocumentCommandsTest, ArrowKeysMoveASpotInOneUndoStepAndKeepItsSizeInTheFile)
{
    const QString italy = saveMap("Italy.plm", 2);  // 30 x 30 spots at x 10 and 50 of a 400 x 300 map
    workspace().OpenDocumentFile(italy, true);
    frame().resize(520, 420);  // the map is shown at about four fifths of its size
    frame().show();
    QApplication::setActiveWindow(&frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QWidget* map = com::ComPtr<IMapView>(workspace().mapView()).as<ui::IHostedControl>()->ControlWindow();
    tagRECT area{};
    const auto clickSpot = [&](tagRECT spot) {
        workspace().mapView()->ConvertModelRectToAreaRect(&spot, &area);
        QTest::mouseClick(map, Qt::LeftButton, {}, QPoint((area.left + area.right) / 2, (area.top + area.bottom) / 2));
    };
    const auto savedBounds = [&] {
        QTest::keyClick(map, Qt::Key_S, Qt::ControlModifier);
        std::vector<tagRECT> bounds;
        const html_export::MapLoad saved = html_export::DocumentSnapshot::Load(italy);
        for (const auto& spot : saved.map->spots) bounds.push_back(spot.bounds);
        return bounds;
    };

    clickSpot({10, 10, 40, 40});
    QTest::keyClick(map, Qt::Key_Delete);  // an earlier edit, which the nudges' undo must leave alone
    clickSpot({50, 10, 80, 40});
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(map, Qt::Key_Right);
        QTest::keyClick(map, Qt::Key_Down);
    }
    const std::vector<tagRECT> saved = savedBounds();
    ASSERT_EQ(saved.size(), 1u);
    const tagRECT nudged = saved[0];
    EXPECT_EQ(QSize(nudged.right - nudged.left, nudged.bottom - nudged.top), QSize(30, 30));
    EXPECT_GT(nudged.left, 50 + 6) << "six window pixels are more map pixels at this size";
    EXPECT_GT(nudged.top, 10 + 6);

    QTest::keyClick(map, Qt::Key_Tab);  // selecting a spot, here the same one, ends the run
    QTest::keyClick(map, Qt::Key_Left);
    QTest::keyClick(map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(savedBounds(), std::vector<tagRECT>{nudged});
    QTest::keyClick(map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(savedBounds(), (std::vector<tagRECT>{{50, 10, 80, 40}}));
    QTest::keyClick(map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(spotCount(), 2);
}

TEST_F(DocumentCommandsTest, APersonsKeysEditSaveAndReopenTheMap)
{
    const QString italy = saveMap("Italy.plm", 3);
    workspace().OpenDocumentFile(italy, true);
    frame().show();
    QApplication::setActiveWindow(&frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QWidget* map = com::ComPtr<IMapView>(workspace().mapView()).as<ui::IHostedControl>()->ControlWindow();
    ASSERT_TRUE(map);
    map->setFocus();

    // A click makes the first spot current, Tab steps to the next, Delete removes it.
    tagRECT spot{10, 10, 40, 40};
    tagRECT area{};
    workspace().mapView()->ConvertModelRectToAreaRect(&spot, &area);
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint((area.left + area.right) / 2, (area.top + area.bottom) / 2));
    EXPECT_EQ(currentSpotIndex(), 0);
    QTest::keyClick(map, Qt::Key_Tab);
    EXPECT_EQ(currentSpotIndex(), 1);
    QTest::keyClick(map, Qt::Key_Delete);
    EXPECT_EQ(spotCount(), 2);
    QTest::keyClick(map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(spotCount(), 3);
    QTest::keyClick(map, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(spotCount(), 2);
    EXPECT_TRUE(dirty());
    QTest::keyClick(map, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(dirty());

    recreateFrame();
    workspace().OpenDocumentFile(italy, true);
    EXPECT_EQ(spotCount(), 2);
}

}  // namespace
}  // namespace shell_test
