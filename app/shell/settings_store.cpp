#include "app/shell/settings_store.h"

#include "app/shell/settings_wait_dialog.h"
#include "platform/registry/registry_key.h"
#include "platform/registry/store_state.h"

namespace shell {

namespace {

const QString kNothingKept = QStringLiteral("Pinlore runs with its default settings this time, and keeps none of "
                                            "the changes made to them.");

// Messages of this window's own, beside the store's notices.
QStringList& Pending()
{
    static QStringList pending;
    return pending;
}

QString File()
{
    return QString::fromStdString(registry::RegistryPath());
}

QString MessageFor(const registry::StoreNotice& notice)
{
    const QString file = QString::fromStdString(notice.file);
    const QString detail = QString::fromStdString(notice.detail);
    switch (notice.kind) {
    case registry::StoreNotice::Kind::Replaced:
        return QStringLiteral("Pinlore's settings file was damaged and could not be read, so a new one took its "
                              "place: the recent files, the map opened last and your preferences start afresh.\n\n"
                              "The damaged file was kept as \"%1\".")
            .arg(file);
    case registry::StoreNotice::Kind::ReadOnly:
        return QStringLiteral("Pinlore cannot save its settings in \"%1\": %2\n\nThe recent files, the map you have "
                              "open and changes to your preferences will not be kept.")
            .arg(file, detail);
    case registry::StoreNotice::Kind::Busy:
        return QStringLiteral("Pinlore could not save its settings in \"%1\": another program is using the file.\n\n"
                              "Some of the recent files, the map you have open or changes to your preferences may "
                              "not be kept.")
            .arg(file);
    }
    return {};
}

}  // namespace

void SettingsStore::Prepare()
{
    std::string reason;
    registry::StoreState state = registry::CheckStore(reason);
    if (state == registry::StoreState::Busy) {
        SettingsWaitDialog wait(File());
        if (wait.exec() == QDialog::Rejected) {
            registry::KeepStoreInMemory();
            Pending().append(QStringLiteral("Pinlore did not wait for its settings file \"%1\", which another program "
                                            "is using.\n\n%2")
                                 .arg(File(), kNothingKept));
            return;
        }
        state = registry::CheckStore(reason);
    }
    if (state != registry::StoreState::Unusable) return;
    registry::KeepStoreInMemory();
    Pending().append(QStringLiteral("Pinlore cannot keep its settings in \"%1\": %2\n\n%3")
                         .arg(File(), QString::fromStdString(reason), kNothingKept));
}

QStringList SettingsStore::TakeMessages()
{
    QStringList messages = std::exchange(Pending(), {});
    for (const registry::StoreNotice& notice : registry::TakeStoreNotices()) messages.append(MessageFor(notice));
    return messages;
}

bool SettingsStore::MessagesPending()
{
    return !Pending().isEmpty() || registry::StoreNoticesPending();
}

}  // namespace shell
