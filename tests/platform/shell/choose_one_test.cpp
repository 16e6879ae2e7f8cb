#include "platform/shell/desktop_shell_services.h"

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers the question once it is shown, as the user would with the keys.
void whenAsked(std::function<void(QInputDialog&)> answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        answer(*dialog);
    });
    poll->start(10);
}

}  // namespace

TEST(ChooseOne, OffersTheChoicesFromTheInitialOneAndGivesTheOneTakenOrNothing)
{
    shell::DesktopShellServices desktop;
    const QStringList choices{"Classic", "Modern"};
    const struct {
        Qt::Key key;
        std::optional<int> expected;
    } cases[] = {{Qt::Key_Return, 0}, {Qt::Key_Escape, std::nullopt}};
    for (const auto& [key, expected] : cases) {
        QString title;
        QStringList offered;
        whenAsked([&, key = key](QInputDialog& dialog) {
            title = dialog.windowTitle();
            QComboBox* list = dialog.findChild<QComboBox*>();
            for (int i = 0; list && i < list->count(); ++i) offered.append(list->itemText(i));
            QTest::keyClick(&dialog, key);
        });
        EXPECT_EQ(desktop.chooseOne(nullptr, "Export to HTML", "Style:", choices, 0), expected);
        EXPECT_EQ(title, "Export to HTML");
        EXPECT_EQ(offered, choices);
    }

    whenAsked([](QInputDialog& dialog) {
        QComboBox* list = dialog.findChild<QComboBox*>();
        ASSERT_NE(list, nullptr);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(desktop.chooseOne(nullptr, "Export to HTML", "Style:", choices, 0), 1);
}
