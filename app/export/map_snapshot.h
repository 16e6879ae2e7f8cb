#pragma once

#include "components/interfaces/records.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace html_export {

// What the export needs of one spot, copied out of its component.
struct SpotSnapshot {
    enum class Kind { Photo, Map };

    Kind kind = Kind::Photo;
    tagRECT bounds{};
    // Photo spot: the pictures in the order the site shows them, starting at the spot's current one.
    QStringList pictures;
    // Photo spot: each picture's caption, in the order of `pictures`; empty where it has none.
    QStringList captions;
    // Photo spot: the sound, empty when it has none.
    QString audioFile;
    // Map spot: the linked map's path, empty when it links nowhere.
    QString linkedMap;
    // The spot's story: its title and its text, empty when it has none.
    QString title;
    QString text;
};

// What the export needs of one map, copied out of its document so the export's worker thread never
// touches the components of the thread that owns them.
struct MapSnapshot {
    QString mapPicture;
    std::vector<SpotSnapshot> spots;
};

// A map as loaded from its file, or why it could not be.
struct MapLoad {
    MapLoad(std::optional<MapSnapshot> loaded = std::nullopt, QString why = QStringLiteral("It is not a map."))
        : map(std::move(loaded)), failure(std::move(why))
    {
    }

    std::optional<MapSnapshot> map;
    // In words for the user; meaningless when the map was loaded.
    QString failure;
};

// Loads the map saved at a path, on the thread that calls it.
using MapLoader = std::function<MapLoad(const QString& path)>;

}  // namespace html_export
