#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace thumbnailer {

// `pinlore --thumbnail INPUT OUTPUT SIZE`: the thumbnail file managers show for a map, a PNG of its
// map picture at most SIZE pixels on its longer side (aspect kept, never enlarged). File managers run
// it on every map they list, from anywhere, so it takes the fewest parts of the program that can find
// the picture: no window, no registry, no component library; it reads regular files only, under the
// export's limits, and writes OUTPUT whole or not at all.
//
// Thread: the main thread of a process that has a QCoreApplication.
class MapThumbnailer {
public:
    // The exit status: 0 when OUTPUT was written, 1 when it was not (and why is on stderr).
    static int Run(const QStringList& arguments);

    // The map picture a map file names, where it is now for a map moved with its folder; empty with
    // `failure` set when the file is not a readable map or names no picture.
    static std::optional<QString> MapPictureOf(const QString& mapPath, QString& failure);
};

}  // namespace thumbnailer
