#include "app/shell/settings_wait_dialog.h"

#include "platform/registry/store_state.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace shell {

SettingsWaitDialog::SettingsWaitDialog(const QString& file)
{
    setWindowTitle(QStringLiteral("Pinlore"));
    setModal(true);
    auto* text = new QLabel(QStringLiteral("The settings file \"%1\" is in use by another program.\n\n"
                                           "Pinlore waits until it is free. If you cancel, Pinlore starts without "
                                           "your settings and keeps none of them this time.")
                                .arg(file),
                            this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);

    tries_.setInterval(kTryEveryMs);
    connect(&tries_, &QTimer::timeout, this, &SettingsWaitDialog::tryFile);
    tries_.start();
}

void SettingsWaitDialog::tryFile()
{
    // Each try must not hold up the dialog: the user may be reaching for Cancel.
    const registry::ScopedBusyTimeout noWaiting(std::chrono::milliseconds(0));
    std::string reason;
    if (registry::CheckStore(reason) != registry::StoreState::Busy) {
        tries_.stop();
        accept();
    }
}

}  // namespace shell
