#include "app/shell/about_dialog.h"
#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "app/shell/tip_dialog.h"
#include "app/shell/welcome_dialog.h"
#include "platform/registry/registry_key.h"
#include "tests/app/shell/window_test.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <memory>
#include <optional>

namespace shell_test {
namespace {

using shell::AboutDialog;
using shell::Preferences;
using shell::TipDialog;
using shell::WelcomeDialog;

std::optional<std::uint32_t> storedTip()
{
    registry::RegistryKey key;
    std::uint32_t value = 0;
    if (key.Open(registry::Hive::CurrentUser, Preferences::kKey) != registry::kSuccess ||
        key.QueryDwordValue("CurrentTip", value) != registry::kSuccess)
        return std::nullopt;
    return value;
}

void storeTip(std::optional<std::uint32_t> value)
{
    registry::RegistryKey key;
    ASSERT_EQ(key.Create(registry::Hive::CurrentUser, Preferences::kKey), registry::kSuccess);
    if (value)
        key.SetDwordValue("CurrentTip", *value);
    else
        key.DeleteValue("CurrentTip");
}

QString shownTip(const TipDialog& dialog)
{
    return static_cast<QLabel*>(dialog.control(TipDialog::kTipText))->text();
}

void click(QWidget* control)
{
    ASSERT_TRUE(control);
    // At the left end, where a check box has its box, inside every kind of button.
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, control->height() / 2));
}

using DialogsTest = WindowTest;

TEST_F(DialogsTest, ControlsSitWhereTheirDialogUnitsSayInTheTemplateFont)
{
    struct Placement {
        int dialog;  // 0 tip, 1 welcome, 2 about
        const char* control;
        int x, y, cx, cy;
        const char* text;  // null where the control shows no text of its own
    };
    const Placement placements[] = {
        {0, "1", 245, 58, 50, 16, "OK"},
        {0, "1004", 7, 61, 82, 10, "&Show tips on startup."},
        {0, "1007", 125, 58, 50, 16, "&Previous Tip"},
        {0, "1006", 184, 58, 50, 16, "&Next Tip"},
        {0, "picture", 252, 7, 43, 39, nullptr},
        {0, "1005", 43, 13, 175, 38, nullptr},
        {1, "1", 124, 55, 47, 16, "Yes"},
        {1, "2", 179, 55, 47, 16, "No"},
        {1, "1004", 8, 58, 103, 10, "Show this dialog on startup."},
        {1, "text", 22, 19, 142, 21, "Welcome to Pinlore.\nWould you like to take a brief tutorial?"},
        {1, "picture", 183, 7, 43, 39, nullptr},
        {2, "1", 140, 134, 50, 14, "OK"},
        {2, "frame", 7, 7, 183, 113, nullptr},
        {2, "text", 27, 42, 133, 34, nullptr},
        {2, "support", 16, 80, 155, 18, nullptr},
    };
    const std::unique_ptr<shell::TemplateDialog> dialogs[] = {std::make_unique<TipDialog>(&frame()),
                                                              std::make_unique<WelcomeDialog>(&frame()),
                                                              std::make_unique<AboutDialog>(&frame())};
    const struct {
        const char* title;
        QSize units;
    } templates[] = {{"Pinlore Tip of the Day", {302, 81}}, {"Welcome", {233, 78}}, {"About Pinlore", {197, 154}}};

    // Liberation Sans 8 pt on the 96 dpi test screen: the base units the templates' fonts have there.
    EXPECT_EQ(QFontInfo(dialogs[0]->font()).family(), "Liberation Sans");
    EXPECT_EQ(dialogs[0]->units().baseX(), 6);
    EXPECT_EQ(dialogs[0]->units().baseY(), 12);
    for (int d = 0; d < 3; ++d) {
        EXPECT_EQ(dialogs[d]->windowTitle(), templates[d].title);
        const ui::DialogUnits& units = dialogs[d]->units();
        EXPECT_EQ(dialogs[d]->size(), QSize(units.toPixelsX(templates[d].units.width()),
                                            units.toPixelsY(templates[d].units.height())));
    }
    for (const Placement& each : placements) {
        SCOPED_TRACE(std::string(templates[each.dialog].title) + " " + each.control);
        const shell::TemplateDialog& dialog = *dialogs[each.dialog];
        const QWidget* control = dialog.control(QString::fromUtf8(each.control));
        ASSERT_TRUE(control);
        // Rounded to the nearest pixel: 6 × 7 / 4 = 10.5 is 11, 12 × 61 / 8 = 91.5 is 92.
        const auto px = [](int units, int base, int per) { return (units * base + per / 2) / per; };
        const int bx = dialog.units().baseX(), by = dialog.units().baseY();
        EXPECT_EQ(control->geometry(),
                  QRect(px(each.x, bx, 4), px(each.y, by, 8), px(each.cx, bx, 4), px(each.cy, by, 8)));
        if (!each.text) continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            EXPECT_EQ(button->text(), each.text);
        else
            EXPECT_EQ(static_cast<const QLabel*>(control)->text(), each.text);
    }
    // An icon keeps its own size at its place.
    const QWidget* icon = dialogs[2]->control(QStringLiteral("icon"));
    EXPECT_EQ(icon->geometry(), QRect(dialogs[2]->units().toPixelsX(83), dialogs[2]->units().toPixelsY(15), 32, 32));
    EXPECT_FALSE(static_cast<const QLabel*>(icon)->pixmap().isNull());
    EXPECT_TRUE(static_cast<QLabel*>(dialogs[2]->control(QStringLiteral("text")))->text().startsWith("Pinlore 1.0"));
}

TEST_F(DialogsTest, EachTipStepStaysAmongTheFifteenWhateverWasStored)
{
    using Step = Preferences::TipStep;
    struct Case {
        std::optional<std::uint32_t> stored;
        Step step;
        int shown;
    };
    const Case cases[] = {
        {std::nullopt, Step::Forward, 1},
        {std::nullopt, Step::Backward, 14},
        {0, Step::Backward, 14},
        {13, Step::Forward, 14},
        {14, Step::Forward, 0},
        {7, Step::Backward, 6},
        // Out of range, as another program or a hand may leave it: taken modulo 15 first.
        {15, Step::Backward, 14},
        {20, Step::Forward, 6},
        {20, Step::Backward, 4},
        {0xFFFFFFFFu, Step::Forward, 1},   // -1 written as a DWORD: 4294967295 is 15 × 286331153
        {0xFFFFFFFFu, Step::Backward, 14},
        {0x80000000u, Step::Backward, 7},  // 2^31 leaves 8
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(testing::Message() << (each.stored ? std::to_string(*each.stored) : "missing")
                                        << (each.step == Step::Forward ? " forward" : " backward"));
        storeTip(each.stored);
        EXPECT_EQ(Preferences::StepCurrentTip(each.step), each.shown);
        EXPECT_EQ(storedTip(), std::optional<std::uint32_t>(each.shown));
    }
}

TEST_F(DialogsTest, TheTipDialogStepsThroughTheTipsAndWrapsBothWays)
{
    storeTip(std::nullopt);
    TipDialog dialog(&frame());
    // The first tip ever shown is the second, the one after "the last shown" of a first start.
    EXPECT_EQ(shownTip(dialog), TipDialog::Tip(1));
    const struct {
        int button;
        int shown;
    } steps[] = {{TipDialog::kPreviousTip, 0}, {TipDialog::kPreviousTip, 14}, {TipDialog::kNextTip, 0},
                 {TipDialog::kNextTip, 1}};
    for (const auto& step : steps) {
        click(dialog.control(step.button));
        EXPECT_EQ(shownTip(dialog), TipDialog::Tip(step.shown));
        EXPECT_EQ(storedTip(), std::optional<std::uint32_t>(step.shown));
    }
    EXPECT_EQ(TipDialog::Tip(14), "Almost everything in Pinlore is undoable.");

    storeTip(250);
    TipDialog afterAStrangeValue(&frame());
    EXPECT_EQ(shownTip(afterAStrangeValue), TipDialog::Tip(11));
    click(afterAStrangeValue.control(TipDialog::kPreviousTip));
    click(afterAStrangeValue.control(TipDialog::kPreviousTip));
    EXPECT_EQ(shownTip(afterAStrangeValue), TipDialog::Tip(9));
}

TEST_F(DialogsTest, TheTipDialogIgnoresEscapeAndEndsWithOneOnOkOrItsCloseBox)
{
    frame().show();
    const struct {
        const char* how;
        bool uncheck;
        std::function<void(TipDialog&)> end;
    } cases[] = {
        {"OK", true, [](TipDialog& dialog) { click(dialog.control(TipDialog::kOk)); }},
        {"Enter", false, [](TipDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }},
        {"close box", true, [](TipDialog& dialog) { dialog.close(); }},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.how);
        TipDialog dialog(&frame());
        bool escapeKeptItOpen = false;
        whenModal<TipDialog>([&](TipDialog& shown) {
            QTest::keyClick(&shown, Qt::Key_Escape);
            escapeKeptItOpen = shown.isVisible();
            if (each.uncheck) click(shown.control(TipDialog::kShowTips));
            each.end(shown);
        });
        EXPECT_EQ(dialog.exec(), 1);
        EXPECT_TRUE(escapeKeptItOpen);
        EXPECT_EQ(dialog.showTipsOnStartup(), !each.uncheck);
    }
}

TEST_F(DialogsTest, TheWelcomeAnswersYesOrNoWithItsCheckBox)
{
    frame().show();
    const struct {
        const char* how;
        bool uncheck;
        std::function<void(WelcomeDialog&)> end;
        int result;
    } cases[] = {
        {"Yes", false, [](WelcomeDialog& dialog) { click(dialog.control(WelcomeDialog::kYes)); }, WelcomeDialog::kYes},
        {"Enter", true, [](WelcomeDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }, WelcomeDialog::kYes},
        {"No", true, [](WelcomeDialog& dialog) { click(dialog.control(WelcomeDialog::kNo)); }, WelcomeDialog::kNo},
        {"Escape", false, [](WelcomeDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }, WelcomeDialog::kNo},
        {"close box", true, [](WelcomeDialog& dialog) { dialog.close(); }, WelcomeDialog::kNo},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.how);
        WelcomeDialog dialog(&frame());
        whenModal<WelcomeDialog>([&](WelcomeDialog& shown) {
            if (each.uncheck) click(shown.control(WelcomeDialog::kShowOnStartup));
            each.end(shown);
        });
        EXPECT_EQ(dialog.exec(), each.result);
        EXPECT_EQ(dialog.showOnStartup(), !each.uncheck);
    }
}

TEST_F(DialogsTest, TipAndWelcomeAreCentredOnTheirOwnersScreen)
{
    frame().show();
    const QPoint middle = frame().screen()->availableGeometry().center();
    const auto centreOf = [](QWidget& dialog) {
        dialog.show();
        const QPoint centre = dialog.geometry().center();
        dialog.hide();
        return centre;
    };
    TipDialog tip(&frame());
    WelcomeDialog welcome(&frame());
    EXPECT_EQ(centreOf(tip), middle);
    EXPECT_EQ(centreOf(welcome), middle);
}

TEST_F(DialogsTest, AboutOpensFromTheHelpMenuAndOkClosesIt)
{
    frame().show();
    ASSERT_TRUE(frame().commandAction(shell::command::kAbout)->isEnabled());
    bool shown = false;
    whenModal<AboutDialog>([&](AboutDialog& about) {
        shown = true;
        EXPECT_EQ(about.parentWidget(), &frame());
        click(about.control(AboutDialog::kOk));
    });
    frame().commandAction(shell::command::kAbout)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace shell_test
