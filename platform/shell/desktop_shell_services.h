#pragma once

#include "platform/shell/shell_services.h"

#include <memory>

namespace shell {

// The services on the Linux desktop: Qt's dialogs, and the freedesktop sound theme's "bell" event
// through libcanberra, or the display's beep where no sound can be played.
class DesktopShellServices final : public ShellServices {
public:
    DesktopShellServices();
    ~DesktopShellServices() override;

    std::optional<QString> openFileName(std::span<const FileFilter> filters, int selectedFilter) override;
    void playRefusedSound() override;

private:
    struct SoundContext;
    std::unique_ptr<SoundContext> sound_;
};

}  // namespace shell
