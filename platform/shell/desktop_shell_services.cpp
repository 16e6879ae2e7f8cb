#include "platform/shell/desktop_shell_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <canberra.h>

namespace shell {

struct DesktopShellServices::SoundContext {
    ca_context* context = nullptr;
    ~SoundContext()
    {
        if (context) ca_context_destroy(context);
    }
};

DesktopShellServices::DesktopShellServices() : sound_(std::make_unique<SoundContext>()) {}

DesktopShellServices::~DesktopShellServices() = default;

std::optional<QString> DesktopShellServices::openFileName(std::span<const FileFilter> filters, int selectedFilter)
{
    QStringList names;
    for (const FileFilter& filter : filters) names.append(filter.description + " (" + filter.pattern + ")");
    QFileDialog dialog(nullptr);
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

}  // namespace shell
