#include "platform/shell/desktop_shell_services.h"

#include "platform/shell/association_query.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>
#include <canberra.h>

namespace shell {

struct DesktopShellServices::SoundContext {
    ca_context* context = nullptr;
    ~SoundContext()
    {
        if (context) ca_context_destroy(context);
    }
};

namespace {

// The dialog shows each description and reads the pattern from its parentheses.
QStringList filterNames(std::span<const FileFilter> filters)
{
    QStringList names;
    for (const FileFilter& filter : filters) names.append(filter.description);
    return names;
}

void openWithDesktop(const QString& folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

}  // namespace

DesktopShellServices::DesktopShellServices() : sound_(std::make_unique<SoundContext>()) {}

DesktopShellServices::~DesktopShellServices() = default;

std::optional<QString> DesktopShellServices::openFileName(QWidget* owner, std::span<const FileFilter> filters,
                                                          int selectedFilter)
{
    const QStringList names = filterNames(filters);
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(names);
    if (selectedFilter >= 0 && selectedFilter < names.size()) dialog.selectNameFilter(names[selectedFilter]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

void DesktopShellServices::playRefusedSound()
{
    if (!sound_->context && ca_context_create(&sound_->context) != CA_SUCCESS) sound_->context = nullptr;
    // Without a sound server or card the event cannot play; the beep still tells the user.
    if (!sound_->context ||
        ca_context_play(sound_->context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "Drop refused",
                        nullptr) != CA_SUCCESS)
        QApplication::beep();
}

MessageAnswer DesktopShellServices::messageBox(QWidget* owner, const QString& text, const QString& title,
                                               MessageButtons buttons, MessageIcon icon)
{
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                   QMessageBox::Warning, QMessageBox::Critical};
    QMessageBox box(kIcons[static_cast<int>(icon)], title, text, QMessageBox::NoButton, owner);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    box.exec();
    // A box closed through its title bar or Escape counts as its escape button: Cancel where there
    // is one, else OK.
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

std::optional<QString> DesktopShellServices::saveFileName(QWidget* owner, std::span<const FileFilter> filters,
                                                          const QString& initialName, const QString& defaultSuffix)
{
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filterNames(filters));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> DesktopShellServices::folderName(QWidget* owner, const QString& prompt)
{
    const QString folder = QFileDialog::getExistingDirectory(owner, prompt);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

std::optional<int> DesktopShellServices::chooseOne(QWidget* owner, const QString& title, const QString& prompt,
                                                   const QStringList& choices, int initial)
{
    bool chosen = false;
    const QString choice = QInputDialog::getItem(owner, title, prompt, choices, initial, false, &chosen);
    if (!chosen) return std::nullopt;
    return static_cast<int>(choices.indexOf(choice));
}

void DesktopShellServices::showFolder(const QString& folder)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openWithDesktop(folder);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowFolders"));
    call << QStringList{QUrl::fromLocalFile(folder).toString()} << QString();
    // Asynchronous, so a file manager that is slow to start never freezes the window; without one
    // on the bus the folder is opened by whatever the desktop opens folders with.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [folder](QDBusPendingCallWatcher* finished) {
        if (finished->isError()) openWithDesktop(folder);
        finished->deleteLater();
    });
}

void DesktopShellServices::openDocument(const QString& file, std::function<void(bool opened)> done)
{
    AssociationQuery::Start(file, [file, done = std::move(done)](std::optional<bool> associated) {
        // Where the desktop cannot be asked, only trying to open tells.
        done(associated.value_or(true) && QDesktopServices::openUrl(QUrl::fromLocalFile(file)));
    });
}

}  // namespace shell
