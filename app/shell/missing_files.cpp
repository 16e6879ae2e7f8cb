#include "app/shell/missing_files.h"

#include "app/export/document_snapshot.h"
#include "platform/files/moved_file.h"

#include <QStringList>

namespace shell {

namespace {

// Enough to recognise a moved folder; a long list would hide the map behind the message.
constexpr std::size_t kListed = 8;

}  // namespace

std::vector<MissingFiles::File> MissingFiles::Of(IDocument& document)
{
    const html_export::MapSnapshot map = html_export::DocumentSnapshot::Take(document);
    std::vector<File> missing;
    const auto check = [&missing](const QString& path, const QString& namedBy) {
        if (!path.isEmpty() && !files::IsRegularFile(path)) missing.push_back({path, namedBy});
    };
    check(map.mapPicture, QStringLiteral("the map picture"));
    for (std::size_t i = 0; i < map.spots.size(); ++i) {
        const html_export::SpotSnapshot& spot = map.spots[i];
        const QString name = QStringLiteral("spot %1").arg(i + 1);
        for (const QString& picture : spot.pictures) check(picture, name);
        check(spot.audioFile, QStringLiteral("the sound of %1").arg(name));
        check(spot.linkedMap, QStringLiteral("the map %1 leads to").arg(name));
    }
    return missing;
}

QString MissingFiles::Message(const std::vector<File>& missing)
{
    if (missing.empty()) return {};
    QStringList lines;
    for (std::size_t i = 0; i < missing.size() && i < kListed; ++i)
        lines.append(QStringLiteral("%1 (%2)").arg(missing[i].path, missing[i].namedBy));
    if (missing.size() > kListed) lines.append(QStringLiteral("and %1 more.").arg(missing.size() - kListed));
    const QString count = missing.size() == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(missing.size());
    return QStringLiteral("%1 of this map could not be found, where the map names them or in the map's folder:\n\n%2\n\n"
                          "They may have been moved, renamed or deleted; the map shows without them.")
        .arg(count, lines.join(u'\n'));
}

}  // namespace shell
