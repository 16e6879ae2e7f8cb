#pragma once

#include <QString>
#include <QStringList>

namespace html_export {

// `pinlore --export-html MAP.plm FOLDER [--overwrite] [--style classic|modern]`: what the menu
// command does once its dialogs have answered FOLDER and the style (classic when not given). The
// site goes into FOLDER/<the map's name>; messages are the program's own texts; progress goes to
// stderr; Ctrl+C cancels.
//
// Thread: the main thread, with the component runtime initialised and the library registered.
class ExportCommand {
public:
    enum ExitStatus {
        kComplete = 0,
        kRefused = 1,
        kIncomplete = 2,
        kCancelled = 130,
    };

    // `arguments` are those after "--export-html"; `programFolder` holds resources/pushPin.gif.
    static int Run(const QStringList& arguments, const QString& programFolder);
};

}  // namespace html_export
