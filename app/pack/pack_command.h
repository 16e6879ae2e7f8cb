#pragma once

#include <QStringList>

namespace pack {

// `pinlore --pack MAP.plm FOLDER [--overwrite]`: the map and everything it shows, copied into
// FOLDER/<map name> (see MapPack). A destination that exists is refused without --overwrite.
// Progress goes to stderr; Ctrl+C or SIGTERM stops the pack between files, leaving no file half
// written. Exit status: kComplete when everything was packed, kIncomplete when the pack finished but
// lists what it could not copy, kRefused when it could not start, kCancelled when it was stopped.
class PackCommand {
public:
    enum Status { kComplete = 0, kRefused = 1, kIncomplete = 2, kCancelled = 130 };

    static int Run(const QStringList& arguments);
};

}  // namespace pack
