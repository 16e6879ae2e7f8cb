#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "app/shell/tip_dialog.h"
#include "app/shell/welcome_dialog.h"
#include "platform/registry/registry_key.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace shell_test {
namespace {

using shell::Preferences;
using shell::TipDialog;
using shell::WelcomeDialog;

class StartupDialogsTest : public WindowTest {
protected:
    // Shows the window of a start (recreateFrame) and comes back once the dialogs of its first paint
    // have ended. Gives the dialogs that were shown, in order, each answered by `answer`.
    std::vector<QString> show(const std::function<void(QDialog&)>& answer)
    {
        std::vector<QString> shown;
        // Polls for as long as the start lasts; a dialog the test did not expect is still answered.
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool()) return;
            dialog->setProperty("answered", true);
            shown.push_back(QString::fromUtf8(dialog->metaObject()->className()));
            answer(*dialog);
        });
        answering.start(5);
        QSignalSpy painted(&workspace(), &shell::WorkspaceView::firstPainted);
        frame().show();
        // The frame's own handler runs the dialogs before the spy hears of the paint.
        EXPECT_TRUE(painted.wait(10000));
        return shown;
    }
    static void click(QWidget* control)
    {
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, control->height() / 2));
    }
    static void clearPreferences()
    {
        registry::RegistryKey key;
        ASSERT_EQ(key.Create(registry::Hive::CurrentUser, Preferences::kKey), registry::kSuccess);
        key.DeleteValue("ShowWelcomeDialog");
        key.DeleteValue("ShowTipsOnStartup");
    }
};

TEST_F(StartupDialogsTest, AFirstStartWelcomesAndNoMakesTheTipsTakeItsPlace)
{
    clearPreferences();
    recreateFrame();
    EXPECT_EQ(show([](QDialog& dialog) {
                  auto& welcome = static_cast<WelcomeDialog&>(dialog);
                  click(welcome.control(WelcomeDialog::kShowOnStartup));
                  click(welcome.control(WelcomeDialog::kNo));
              }),
              std::vector<QString>{"shell::WelcomeDialog"});
    EXPECT_FALSE(Preferences::ShowWelcomeDialog());
    EXPECT_TRUE(Preferences::ShowTipsOnStartup());
    EXPECT_TRUE(shell_.documentRequests().empty());

    recreateFrame();
    EXPECT_EQ(show([](QDialog& dialog) { click(static_cast<TipDialog&>(dialog).control(TipDialog::kOk)); }),
              std::vector<QString>{"shell::TipDialog"});
    EXPECT_TRUE(Preferences::ShowTipsOnStartup());
    EXPECT_FALSE(Preferences::ShowWelcomeDialog());
}

TEST_F(StartupDialogsTest, YesWithTheBoxSetStartsTheTutorialAndKeepsTheWelcome)
{
    clearPreferences();
    recreateFrame();
    workspace().Maximize();
    com::Bstr listedBefore, listed;
    workspace().tableControl()->GetDirectory(listedBefore.put());
    ASSERT_EQ(show([](QDialog& dialog) { click(static_cast<WelcomeDialog&>(dialog).control(WelcomeDialog::kYes)); }),
              std::vector<QString>{"shell::WelcomeDialog"});
    EXPECT_TRUE(Preferences::ShowWelcomeDialog());
    EXPECT_FALSE(Preferences::ShowTipsOnStartup());
    EXPECT_FALSE(workspace().maximised());
    // No tutorial pictures lie beside the test program: the browser stays where it was.
    workspace().tableControl()->GetDirectory(listed.put());
    EXPECT_EQ(ui::ToQString(listed.view()), ui::ToQString(listedBefore.view()));
    // No tutorial.chm lies beside the test program: its pages are opened instead.
    EXPECT_EQ(shell_.documentRequests(),
              std::vector<QString>{QCoreApplication::applicationDirPath() + "/tutorial/index.html"});
}

TEST_F(StartupDialogsTest, TheTipsFirstThenTheWelcomeEachStoringItsAnswer)
{
    clearPreferences();
    Preferences::SetShowTipsOnStartup(true);
    recreateFrame();
    EXPECT_EQ(show([](QDialog& dialog) {
                  if (auto* tip = qobject_cast<TipDialog*>(&dialog)) {
                      click(tip->control(TipDialog::kShowTips));
                      click(tip->control(TipDialog::kOk));
                  } else {
                      click(static_cast<WelcomeDialog&>(dialog).control(WelcomeDialog::kYes));
                  }
              }),
              (std::vector<QString>{"shell::TipDialog", "shell::WelcomeDialog"}));
    EXPECT_FALSE(Preferences::ShowTipsOnStartup());
    EXPECT_TRUE(Preferences::ShowWelcomeDialog());

    // Neither asked for: nothing holds the first paint up.
    Preferences::SetShowWelcomeDialog(false);
    recreateFrame();
    EXPECT_TRUE(show([](QDialog&) { ADD_FAILURE() << "a dialog was shown"; }).empty());
}

}  // namespace
}  // namespace shell_test
