#pragma once

#include "platform/shell/shell_services.h"

#include <memory>

namespace shell {

// The services on the Linux desktop: Qt's dialogs, the freedesktop sound theme's "bell" event
// through libcanberra (or the display's beep where no sound can be played), and the file manager
// through the freedesktop FileManager1 D-Bus interface (or the desktop's handler for folders), and
// documents through the desktop's associations (xdg-mime, xdg-open).
class DesktopShellServices final : public ShellServices {
public:
    DesktopShellServices();
    ~DesktopShellServices() override;

    std::optional<QString> openFileName(QWidget* owner, std::span<const FileFilter> filters,
                                        int selectedFilter) override;
    void playRefusedSound() override;
    MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<QString> saveFileName(QWidget* owner, std::span<const FileFilter> filters,
                                        const QString& initialName, const QString& defaultSuffix) override;
    std::optional<QString> folderName(QWidget* owner, const QString& prompt) override;
    std::optional<int> chooseOne(QWidget* owner, const QString& title, const QString& prompt,
                                 const QStringList& choices, int initial) override;
    void showFolder(const QString& folder) override;
    void openDocument(const QString& file, std::function<void(bool opened)> done) override;

private:
    struct SoundContext;
    std::unique_ptr<SoundContext> sound_;
};

}  // namespace shell
