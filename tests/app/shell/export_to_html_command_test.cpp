#include "app/shell/command_ids.h"
#include "app/shell/export_progress_dialog.h"
#include "app/shell/preferences.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

namespace shell_test {
namespace {

using shell::ExportProgressDialog;
using shell::MessageAnswer;
namespace command = shell::command;

const QString kSaveFirst = QStringLiteral("You must save the current map before exporting to html.");
constexpr int kClassic = 0;
constexpr int kModern = 1;
// The buttons of the finish message.
constexpr int kShowFolder = 0;
constexpr int kOpenFirstPage = 1;
constexpr int kClose = 2;

class ExportToHtmlCommandTest : public WindowTest {
protected:
    void exportMap() { frame().runCommand(command::kExportToHtml); }
    QString sites() const { return path("sites"); }
    void SetUp() override
    {
        WindowTest::SetUp();
        QDir().mkpath(sites());
    }
};

TEST_F(ExportToHtmlCommandTest, AMapWithoutPictureOrFileIsRefused)
{
    workspace().OpenDocumentFile(saveMapWithoutPicture("Empty.plm"), true);
    exportMap();
    ASSERT_EQ(shell_.messages().size(), 1u);
    EXPECT_EQ(shell_.messages()[0].text, "You must add a map picture to the current map before exporting to html.");
    EXPECT_EQ(shell_.messages()[0].title, "No Map Picture");

    // An untitled map is asked to be saved until it is, or the user cancels.
    frame().runCommand(command::kNew);
    workspace().document()->SetMapFile(ui::ToBstr(path("map.png")).get());
    shell_.answerMessage(MessageAnswer::Ok);
    shell_.answerSaveFile(std::nullopt);
    shell_.answerMessage(MessageAnswer::Cancel);
    exportMap();
    EXPECT_EQ(shell_.messageTexts(), (std::vector<QString>{shell_.messages()[0].text, kSaveFirst, kSaveFirst}));
    EXPECT_EQ(shell_.messages().back().title, "Save Document");
    EXPECT_EQ(shell_.messages().back().buttons, shell::MessageButtons::OkCancel);
    EXPECT_TRUE(shell_.folderPrompts().empty());
}

TEST_F(ExportToHtmlCommandTest, TheChosenFolderGetsASiteFolderNamedAfterTheMap)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 2), true);

    shell_.answerFolder(std::nullopt);
    exportMap();
    EXPECT_EQ(shell_.folderPrompts(), std::vector<QString>{"Choose Folder for Export"});
    EXPECT_EQ(shell_.folderStarts(), std::vector<QString>{QFileInfo(path("Italy.plm")).absolutePath()});
    EXPECT_FALSE(QFileInfo::exists(sites() + "/Italy"));

    shell_.answerFolder(sites());
    shell_.answerChoice(kClassic);
    shell_.answerButton(kShowFolder);
    exportMap();
    ASSERT_EQ(shell_.messages().size(), 1u);
    EXPECT_EQ(shell_.messages()[0].text, "Your map has been exported to the folder \"Italy\" inside of \"sites\"");
    EXPECT_EQ(shell_.messages()[0].title, "Export Complete");
    EXPECT_EQ(shell_.shownFolders(), std::vector<QString>{sites() + "/Italy"});
    EXPECT_TRUE(QFileInfo::exists(sites() + "/Italy/index.html"));
    EXPECT_TRUE(QFileInfo::exists(sites() + "/Italy/images/spot1_img0.jpg"));

    // The second time the folder exists: Cancel stops before anything is written.
    QFile::remove(sites() + "/Italy/index.html");
    shell_.answerFolder(sites());
    shell_.answerChoice(kClassic);
    shell_.answerMessage(MessageAnswer::Cancel);
    exportMap();
    EXPECT_EQ(shell_.messages().back().text,
              "The folder \"Italy\" inside of \"sites\" already exists. Exporting to this location may overwrite "
              "existing files in the folder \"Italy\".");
    EXPECT_EQ(shell_.messages().back().title, "Folder Exists");
    EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Warning);
    EXPECT_FALSE(QFileInfo::exists(sites() + "/Italy/index.html"));
    EXPECT_EQ(shell_.shownFolders().size(), 1u);
}

TEST_F(ExportToHtmlCommandTest, AShowOrPreviewOnScreenEndsBeforeTheExportAsks)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 1), true);
    frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    com::ComPtr<IBaseSpot> spot;
    workspace().document()->SpotAtIndex(0, spot.put());
    workspace().document()->PutCurrentSpot(spot.get());
    for (const auto& start : {std::function<void()>([this] { workspace().StartSlideShow(); }),
                             std::function<void()>([this] { workspace().ActivateFile(path("map picture.png")); })}) {
        start();
        ASSERT_TRUE(workspace().slideShowViewHost()->isVisible());
        shell_.answerFolder(std::nullopt);
        exportMap();
        EXPECT_TRUE(workspace().mapViewHost()->isVisible());
        EXPECT_FALSE(workspace().slideShowViewHost()->isVisible());
    }
}

TEST_F(ExportToHtmlCommandTest, TheStyleOfThePagesIsAskedAfterTheFolderProposingTheOneChosenLast)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 1), true);
    shell_.answerFolder(sites());
    shell_.answerChoice(std::nullopt);
    exportMap();
    ASSERT_EQ(shell_.choiceQuestions().size(), 1u);
    const auto& question = shell_.choiceQuestions()[0];
    EXPECT_EQ(question.title, "Export to HTML");
    EXPECT_EQ(question.choices.size(), 2);
    EXPECT_TRUE(question.choices[kClassic].startsWith("Classic"));
    EXPECT_TRUE(question.choices[kModern].startsWith("Modern"));
    EXPECT_EQ(question.initial, kModern) << "the modern pages are proposed the first time";
    EXPECT_FALSE(QFileInfo::exists(sites() + "/Italy")) << "a cancelled choice writes nothing";

    shell_.answerFolder(sites());
    shell_.answerChoice(kModern);
    shell_.answerButton(kClose);
    exportMap();
    QFile index(sites() + "/Italy/index.html");
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    EXPECT_TRUE(index.readAll().startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(QFileInfo::exists(sites() + "/Italy/images/spot0_lo_res_img0.jpg"));
    EXPECT_EQ(shell_.messages().back().title, "Export Complete");

    // Chosen once, the classic pages are proposed from then on, also after a restart.
    for (const int expected : {kModern, kClassic}) {
        shell_.answerFolder(sites());
        shell_.answerChoice(kClassic);
        shell_.answerMessage(MessageAnswer::Ok);
        shell_.answerButton(kClose);
        exportMap();
        EXPECT_EQ(shell_.choiceQuestions().back().initial, expected);
        recreateFrame();
        workspace().OpenDocumentFile(path("Italy.plm"), true);
    }
}

TEST_F(ExportToHtmlCommandTest, TheFinishMessageOffersTheFolderOrTheSitesFirstPage)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 1), true);
    const QString firstPage = sites() + "/Italy/index.html";
    const struct Case {
        const char* what;
        std::optional<int> button;
        std::vector<QString> folders, documents;
        bool noBrowser;
        std::size_t messages;  // the finish message, and the warning when no browser starts
    } cases[] = {
        {"Show Folder", kShowFolder, {sites() + "/Italy"}, {}, false, 1},
        {"Open in Web Browser", kOpenFirstPage, {}, {firstPage}, false, 1},
        {"Close", kClose, {}, {}, false, 1},
        {"the box closed", std::nullopt, {}, {}, false, 1},
        {"Open in Web Browser without a browser", kOpenFirstPage, {}, {firstPage}, true, 2},
    };
    // Without a browser last: the desktop finds none from then on.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.noBrowser) shell_.refuseDocuments(".html");
        const std::size_t messagesBefore = shell_.messages().size();
        const std::size_t foldersBefore = shell_.shownFolders().size();
        const std::size_t documentsBefore = shell_.documentRequests().size();
        QDir(sites()).removeRecursively();
        QDir().mkpath(sites());
        shell_.answerFolder(sites());
        shell_.answerChoice(kClassic);
        shell_.answerButton(c.button);
        exportMap();
        ASSERT_EQ(shell_.messages().size() - messagesBefore, c.messages);
        EXPECT_EQ(shell_.messages()[messagesBefore].ownButtons, (QStringList{"Show Folder", "Open in Web Browser", "Close"}));
        EXPECT_EQ(std::vector<QString>(shell_.shownFolders().begin() + foldersBefore, shell_.shownFolders().end()), c.folders);
        EXPECT_EQ(std::vector<QString>(shell_.documentRequests().begin() + documentsBefore, shell_.documentRequests().end()),
                  c.documents);
        if (c.noBrowser) {
            EXPECT_EQ(shell_.messages().back().text, "No web browser could be started to open " + firstPage + ".");
        }
    }
}

TEST_F(ExportToHtmlCommandTest, AFolderThatCannotBeMadeIsAnError)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 1), true);
    QFile blocking(sites() + "/Italy");
    ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
    blocking.close();
    shell_.answerFolder(sites());
    shell_.answerChoice(kClassic);
    exportMap();
    EXPECT_EQ(shell_.messageTexts(),
              std::vector<QString>{"An error occurred. You may want to try saving to another location.\n\n" + sites() +
                                   "/Italy: File exists."});
    EXPECT_EQ(shell_.messages().back().title, "Error");
    EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Error);
}

// Each count agrees with the list under it: files and linked maps are counted apart.
TEST_F(ExportToHtmlCommandTest, FilesThatCouldNotBeMadeAndMapsThatCouldNotBeExportedAreListedApart)
{
    const QString gone = path("gone.plm");
    const QString italy = saveMap("Italy.plm", 2, {gone});
    workspace().OpenDocumentFile(italy, true);
    // The map's missing link was told when it opened.
    QTRY_COMPARE(shell_.messages().size(), std::size_t(1));
    EXPECT_TRUE(shell_.messages()[0].text.contains(gone + " (the map spot 3 leads to)")) << shell_.messages()[0].text.toStdString();
    QFile::remove(path("map picture.png"));
    shell_.answerFolder(sites());
    shell_.answerChoice(kClassic);
    shell_.answerButton(kClose);
    exportMap();
    ASSERT_EQ(shell_.messages().size(), 2u);
    const QString text = shell_.messages()[1].text;
    const QStringList parts = text.split("\n\n");
    ASSERT_EQ(parts.size(), 4) << text.toStdString();
    EXPECT_EQ(parts[0], "Your map has been exported to the folder \"Italy\" inside of \"sites\", but 5 of its files "
                        "could not be made:");
    EXPECT_EQ(parts[1].split('\n').size(), 5) << text.toStdString();
    EXPECT_TRUE(parts[1].contains(sites() + "/Italy/images/map.jpg: ")) << text.toStdString();
    EXPECT_EQ(parts[2], "1 of its linked maps could not be exported:");
    EXPECT_TRUE(parts[3].startsWith(gone + ": The linked map could not be opened: ")) << text.toStdString();
    EXPECT_EQ(shell_.messages()[1].icon, shell::MessageIcon::Warning);
}

TEST_F(ExportToHtmlCommandTest, TheProgressDialogCancelsAndCannotBeClosed)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 2), true);
    bool closeRefused = false;
    whenModal<ExportProgressDialog>([&](ExportProgressDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Export to HTML");
        EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        closeRefused = !dialog.close() && dialog.isVisible();
        QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
    });
    shell_.answerFolder(sites());
    shell_.answerChoice(kClassic);
    exportMap();
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(shell_.messages().empty());
    EXPECT_TRUE(shell_.shownFolders().empty());
}

TEST_F(ExportToHtmlCommandTest, ClosingTheWindowDuringAnExportCancelsItFirst)
{
    const QString italy = saveMap("Italy.plm", 2);
    workspace().OpenDocumentFile(italy, true);
    frame().show();
    whenModal<ExportProgressDialog>([&](ExportProgressDialog&) { frame().close(); });
    shell_.answerFolder(sites());
    shell_.answerChoice(kClassic);
    exportMap();
    EXPECT_TRUE(shell_.messages().empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame().isVisible(); }));
    EXPECT_EQ(shell::Preferences::RootMap(), italy);
}

}  // namespace
}  // namespace shell_test
