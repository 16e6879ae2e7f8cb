#include "platform/shell/desktop_shell_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const shell::FileFilter kPictureFilters[] = {{"JPEG Files (*.jpg)", "*.jpg"}, {"All Files (*.*)", "*.*"}};

TEST(FileDialogs, TheOpenDialogBelongsToItsOwnerAndShowsEachFilterOnce)
{
    shell::DesktopShellServices desktop;
    QWidget owner;
    QWidget* parent = nullptr;
    QStringList shown;
    QString chosen;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        parent = dialog->parentWidget();
        shown = dialog->nameFilters();
        chosen = dialog->selectedNameFilter();
        dialog->reject();
    });
    poll->start(10);
    EXPECT_EQ(desktop.openFileName(&owner, kPictureFilters, 1), std::nullopt);
    EXPECT_EQ(parent, &owner);
    EXPECT_EQ(shown, (QStringList{"JPEG Files (*.jpg)", "All Files (*.*)"}));
    EXPECT_EQ(chosen, "All Files (*.*)");
}

}  // namespace
