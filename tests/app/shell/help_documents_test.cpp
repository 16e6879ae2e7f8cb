#include "app/shell/command_ids.h"
#include "app/shell/help_documents.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace shell_test {
namespace {

using HelpDocumentsTest = WindowTest;

TEST_F(HelpDocumentsTest, HelpOpensTheBookElseItsPagesElseSaysWhy)
{
    struct Case {
        const char* what;
        bool bookLaidOut;
        const char* nowRefused;  // a type no program opens from this case on
        std::vector<QString> asked;  // relative to the program folder
        bool told;
    };
    const Case cases[] = {
        {"a program for help files", true, nullptr, {"/help.chm"}, false},
        {"none for help files", true, ".chm", {"/help.chm", "/help/index.html"}, false},
        {"no help file", false, nullptr, {"/help/index.html"}, false},
        {"no program for either", true, ".html", {"/help.chm", "/help/index.html"}, true},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        test_support::TemporaryDirectory program;
        const QString folder = QString::fromStdString(program.path().string());
        if (each.bookLaidOut) {
            QFile book(folder + "/help.chm");
            ASSERT_TRUE(book.open(QIODevice::WriteOnly));
        }
        if (each.nowRefused) shell_.refuseDocuments(each.nowRefused);
        const std::size_t requestsBefore = shell_.documentRequests().size();
        const std::size_t messagesBefore = shell_.messages().size();
        shell::HelpDocuments(folder).OpenHelp(&frame());
        std::vector<QString> asked;
        for (const QString& relative : each.asked) asked.push_back(folder + relative);
        EXPECT_EQ(std::vector<QString>(shell_.documentRequests().begin() + requestsBefore,
                                       shell_.documentRequests().end()),
                  asked);
        ASSERT_EQ(shell_.messages().size(), messagesBefore + (each.told ? 1 : 0));
        if (each.told) {
            EXPECT_EQ(shell_.messages().back().text,
                      "The help could not be shown: no program on this computer opens help files or web pages.");
            EXPECT_EQ(shell_.messages().back().title, "Pinlore");
        }
    }
}

TEST_F(HelpDocumentsTest, TheTutorialShowsItsPicturesInTheBrowser)
{
    test_support::TemporaryDirectory program;
    const QString folder = QString::fromStdString(program.path().string());
    ASSERT_TRUE(QDir().mkpath(folder + "/tutorial/Pictures"));
    workspace().Maximize();
    shell::HelpDocuments(folder).StartTutorial(workspace());
    com::Bstr listed;
    workspace().tableControl()->GetDirectory(listed.put());
    EXPECT_EQ(ui::ToQString(listed.view()), folder + "/tutorial/Pictures");
    EXPECT_FALSE(workspace().maximised());
    EXPECT_EQ(shell_.documentRequests(), std::vector<QString>{folder + "/tutorial/index.html"});
}

TEST_F(HelpDocumentsTest, F1AndTheHelpMenuOpenTheHelpBesideTheProgram)
{
    ASSERT_TRUE(frame().commandAction(shell::command::kHelpContents)->isEnabled());
    ASSERT_TRUE(frame().commandAction(shell::command::kTutorial)->isEnabled());
    frame().commandAction(shell::command::kHelpContents)->trigger();
    frame().commandAction(shell::command::kTutorial)->trigger();
    const QString beside = QCoreApplication::applicationDirPath();
    EXPECT_EQ(shell_.documentRequests(),
              (std::vector<QString>{beside + "/help/index.html", beside + "/tutorial/index.html"}));
}

}  // namespace
}  // namespace shell_test
