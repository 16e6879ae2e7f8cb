#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace pack {

// Makes a map portable: copies the map, every map below it and all their pictures and sounds into
// one folder, and writes the copied maps naming the copies, so the folder can go to another disk or
// another person whole. The sources are never changed.
//
//   <folder>/<map file>            the map, under its own name
//   <folder>/maps/<name>.plm       the maps below it
//   <folder>/pictures/<name>       map pictures and photos
//   <folder>/sounds/<name>         sounds
//
// A file named by several spots or maps is copied once; two different files of the same name are
// both kept, the second as "name (2).ext". Files are found as the window finds them (where the map
// names them, else at the same place relative to its folder); only regular files are read, and
// every file is written whole under its name or not at all. Nothing is written outside `folder`.
//
// Thread: a thread with an initialised component runtime; the maps are loaded on it.
class MapPack {
public:
    struct Problem {
        QString path;
        QString reason;
    };

    struct Result {
        bool cancelled = false;
        // What was not copied: files not found or unreadable, maps that could not be read or written.
        std::vector<Problem> problems;
        // Maps and files done, of all the pack holds.
        int done = 0;
        int total = 0;
    };

    // Told how many files are done of how many; answers false to stop (Ctrl+C, Cancel). Called
    // between files and between the chunks of a large file.
    using Progress = std::function<bool(int done, int total)>;

    // Packs the map saved at `mapPath` into `folder`, which exists.
    static Result Pack(const QString& mapPath, const QString& folder, const Progress& progress);
};

}  // namespace pack
