#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

class QWidget;

namespace shell {

// One entry of a file dialog's type list: what the user reads, which names the pattern in
// parentheses, and the pattern it stands for.
struct FileFilter {
    QString description;  // "JPEG Files (*.jpg)"
    QString pattern;      // "*.jpg"
};

// The buttons of a message box, and what the user answered. Closing a box without choosing answers
// Cancel where the box has a Cancel button, else OK.
enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The desktop services the components and the program ask for: dialogs, sounds, the file manager.
// Everything goes through the one instance that Services() gives, so that tests can answer in place
// of the user. An `owner` may be null; a dialog with an owner is modal to it and centred over it.
//
// Thread: the user-interface thread.
class ShellServices {
public:
    virtual ~ShellServices() = default;

    // The open-file dialog, starting with `selectedFilter` and an empty name. Nothing when the user
    // cancels.
    virtual std::optional<QString> openFileName(QWidget* owner, std::span<const FileFilter> filters,
                                                int selectedFilter) = 0;

    // The desktop's sound for something refused, such as a drop that cannot be taken.
    virtual void playRefusedSound() = 0;

    // A modal message box; the title is shown exactly as given.
    virtual MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& title,
                                     MessageButtons buttons, MessageIcon icon) = 0;

    // The save-file dialog, starting with `initialName` (a path or empty) and the first filter. A name
    // typed without an extension gets `defaultSuffix`; choosing an existing file asks before it is
    // overwritten. Nothing when the user cancels.
    virtual std::optional<QString> saveFileName(QWidget* owner, std::span<const FileFilter> filters,
                                                const QString& initialName, const QString& defaultSuffix) = 0;

    // The folder browser: file-system folders only, a field to type a path in, `prompt` as its
    // caption. Nothing when the user cancels.
    virtual std::optional<QString> folderName(QWidget* owner, const QString& prompt) = 0;

    // A modal question that offers `choices` in a list, `initial` chosen; `prompt` is shown above the
    // list. The index of the choice taken, or nothing when the user cancels.
    virtual std::optional<int> chooseOne(QWidget* owner, const QString& title, const QString& prompt,
                                         const QStringList& choices, int initial) = 0;

    // Shows `folder` in the desktop's file manager. Returns at once; failures are not reported.
    virtual void showFolder(const QString& folder) = 0;

    // Opens `file` with the program the desktop associates with its type. Returns at once: asking the
    // desktop may take a while. `done` is called later on this thread, with false, and nothing
    // started, when no program on the machine is associated with the type or none could be started;
    // a program that starts and then fails reports that itself.
    virtual void openDocument(const QString& file, std::function<void(bool opened)> done) = 0;
};

// The instance in use: the desktop's unless a test installed its own.
ShellServices& Services();

// Installs `services` in place of the desktop's (null puts the desktop's back). The caller keeps
// ownership and must uninstall it before destroying it.
void InstallServices(ShellServices* services);

}  // namespace shell
