#pragma once

#include <QString>
#include <optional>
#include <span>

namespace shell {

// One entry of a file dialog's type list: what the user reads and the pattern it stands for.
struct FileFilter {
    QString description;  // "JPEG Files (*.jpg)"
    QString pattern;      // "*.jpg"
};

// The desktop services the components and the program ask for: dialogs and sounds. Everything goes
// through the one instance that Services() gives, so that tests can answer in place of the user.
//
// Thread: the user-interface thread.
class ShellServices {
public:
    virtual ~ShellServices() = default;

    // The open-file dialog, without an owner window, starting with `selectedFilter` and an empty
    // name. Nothing when the user cancels.
    virtual std::optional<QString> openFileName(std::span<const FileFilter> filters, int selectedFilter) = 0;

    // The desktop's sound for something refused, such as a drop that cannot be taken.
    virtual void playRefusedSound() = 0;
};

// The instance in use: the desktop's unless a test installed its own.
ShellServices& Services();

// Installs `services` in place of the desktop's (null puts the desktop's back). The caller keeps
// ownership and must uninstall it before destroying it.
void InstallServices(ShellServices* services);

}  // namespace shell
