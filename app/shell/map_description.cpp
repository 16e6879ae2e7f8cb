#include "app/shell/map_description.h"

#include "app/export/document_snapshot.h"

#include <QDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace shell {

int DescribeMap(const QString& path)
{
    // Relative to the folder the program was started in.
    const QString absolutePath = QDir::current().absoluteFilePath(path);
    const std::optional<html_export::MapSnapshot> map = html_export::DocumentSnapshot::Load(absolutePath).map;
    if (!map) {
        std::fputs("An error occurred, the file could not be opened.\n", stderr);
        return 1;
    }

    using Kind = html_export::SpotSnapshot::Kind;
    const auto photoSpots = std::count_if(map->spots.begin(), map->spots.end(),
                                          [](const auto& spot) { return spot.kind == Kind::Photo; });
    qsizetype pictures = 0;
    for (const auto& spot : map->spots) pictures += spot.pictures.size();

    QTextStream out(stdout);
    out << absolutePath << "\n"
        << "  map picture: " << (map->mapPicture.isEmpty() ? QStringLiteral("none") : map->mapPicture) << "\n"
        << "  photo spots: " << photoSpots << " (" << pictures << " pictures)\n"
        << "  map spots: " << (static_cast<qsizetype>(map->spots.size()) - photoSpots) << "\n"
        << "This build of Pinlore has no window yet; publish the map with:\n"
        << "  pinlore --export-html \"" << absolutePath << "\" FOLDER\n";
    return 0;
}

}  // namespace shell
