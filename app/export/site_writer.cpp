#include "app/export/site_writer.h"

#include "app/export/conversion_queue.h"
#include "app/export/export_destination.h"
#include "app/export/export_names.h"
#include "app/export/page_geometry.h"
#include "app/export/site_files.h"
#include "imaging/image.h"

#include <QFileInfo>

namespace html_export {

namespace {

constexpr int kFullQuality = 50;
constexpr int kLowQuality = 20;

// The visited maps are told apart by their real paths, so that a map reached through a symbolic
// link or a "." or ".." in its path is still taken once. A path that does not resolve (the map is
// missing) stays as it is given.
QString RealPath(const QString& path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

}  // namespace

SiteWriter::SiteWriter(const Settings& settings, ExportState& state, ExportReport& report, ConversionQueue* conversions)
    : settings_(settings), pages_(SitePages::Of(settings.style)), state_(state), report_(report),
      conversions_(conversions)
{
}

void SiteWriter::writeSite(const MapSnapshot& root, const QString& documentPath, const QString& folder)
{
    visited_ = {RealPath(documentPath)};
    if (root.mapPicture.isEmpty())
        return;
    std::vector<MapInProgress> maps;
    maps.push_back(beginMap(root, folder, ExportNames::MapName(documentPath), QString()));
    while (!maps.empty()) {
        MapInProgress& current = maps.back();
        const int i = static_cast<int>(current.nextSpot);
        if (current.childPin) {
            // A cancel while the linked map was written leaves this map, and those above it, without
            // index page, so that no pin leads to a page the site lacks.
            if (state_.cancel)
                return;
            current.page += pages_.mapSpotPin(*current.childPin, i, current.map.spots[current.nextSpot].title);
            current.childPin.reset();
            ++current.nextSpot;
            continue;
        }
        if (current.nextSpot == current.map.spots.size() || state_.cancel) {
            current.page += pages_.indexClosing();
            writePage(current.folder + QStringLiteral("/index.html"), current.page);
            maps.pop_back();
            continue;
        }
        const SpotSnapshot& spot = current.map.spots[current.nextSpot];
        // A map picture that cannot be read leaves the pins where the spots are on the map picture.
        const tagRECT pageRect = PageGeometry::MapToPage(current.pictureSize, spot.bounds).value_or(spot.bounds);
        if (spot.kind == SpotSnapshot::Kind::Map) {
            std::optional<MapInProgress> child = enterLinkedMap(current, spot, i);
            if (!child) {
                ++current.nextSpot;
                continue;
            }
            current.childPin = pageRect;
            maps.push_back(std::move(*child));
        } else {
            current.page += pages_.photoSpotPin(pageRect, i, spot.title);
            if (!writePhotoSpot(spot, i, current.folder, current.title, current.name))
                return;
            ++current.nextSpot;
        }
    }
}

SiteWriter::MapInProgress SiteWriter::beginMap(MapSnapshot map, const QString& folder, const QString& name,
                                               const QString& parentName)
{
    const QString images = folder + QStringLiteral("/images");
    makeFolder(folder);
    makeFolder(images);
    if (counting()) {
        ++state_.total;
    } else {
        copyFile(settings_.pinPicture, images + QStringLiteral("/pushPin.gif"));
        convert(map.mapPicture, {{images + QStringLiteral("/map.jpg"), kFullQuality}}, nullptr);
    }
    MapInProgress begun;
    begun.title = ExportNames::WithoutLastFour(ExportNames::FileName(map.mapPicture));
    begun.page = pages_.indexHead(begun.title, parentName);
    begun.pictureSize = counting() ? QSize() : imaging::Image::SizeOfFile(map.mapPicture);
    begun.map = std::move(map);
    begun.folder = folder;
    begun.name = name;
    return begun;
}

std::optional<SiteWriter::MapInProgress> SiteWriter::enterLinkedMap(const MapInProgress& parent,
                                                                    const SpotSnapshot& spot, int index)
{
    const QString real = RealPath(spot.linkedMap);
    if (visited_.contains(real))
        return std::nullopt;
    visited_.insert(real);
    if (spot.linkedMap.isEmpty())
        return std::nullopt;
    const QString subFolder = parent.folder + QStringLiteral("/spot%1").arg(index);
    if (!ExportDestination::FitsPathLimit(subFolder)) {
        if (!counting())
            report_.add({spot.linkedMap,
                         QStringLiteral("The linked map is not exported: it lies so deep that the path of its folder "
                                        "would pass the system's limit."),
                         ExportProblem::Subject::Map});
        return std::nullopt;
    }
    MapLoad loaded = settings_.loadMap(spot.linkedMap);
    if (!loaded.map) {
        if (!counting())
            report_.add({spot.linkedMap, QStringLiteral("The linked map could not be opened: %1").arg(loaded.failure),
                         ExportProblem::Subject::Map});
        return std::nullopt;
    }
    makeFolder(subFolder);
    makeFolder(subFolder + QStringLiteral("/images"));
    // Its pin would lead to an index page that is never written.
    if (loaded.map->mapPicture.isEmpty()) {
        if (!counting())
            report_.add({spot.linkedMap, QStringLiteral("The linked map has no map picture."), ExportProblem::Subject::Map});
        return std::nullopt;
    }
    const QString childName = ExportNames::WithoutLastFour(ExportNames::FileName(spot.linkedMap));
    return beginMap(std::move(*loaded.map), subFolder, childName, parent.name);
}

bool SiteWriter::writePhotoSpot(const SpotSnapshot& spot, int index, const QString& folder, const QString& title,
                                const QString& mapName)
{
    const int count = static_cast<int>(spot.pictures.size());
    const std::shared_ptr<PendingPage> page =
        counting() ? nullptr : std::make_shared<PendingPage>(folder + QStringLiteral("/spot%1.html").arg(index), report_);
    for (int j = 0; j < count; ++j) {
        if (state_.cancel) {
            if (page)
                page->abandon();
            return false;
        }
        if (counting()) {
            ++state_.total;
        } else {
            const QString images = folder + QStringLiteral("/images/");
            convert(spot.pictures[j],
                    {{images + ExportNames::PictureFileName(index, j), kFullQuality},
                     {images + ExportNames::LowResolutionFileName(index, j), kLowQuality}},
                    page);
        }
    }

    SpotPage content{title, mapName, index, count, QString(), spot.title, spot.text, spot.captions};
    const std::optional<QString> notASound = spot.audioFile.isEmpty() ? std::nullopt : SiteFiles::NotASound(spot.audioFile);
    if (notASound && !counting())
        report_.add({spot.audioFile, *notASound});
    if (!spot.audioFile.isEmpty() && !notASound) {
        const QString sounds = folder + QStringLiteral("/sounds");
        content.soundFileName = ExportNames::SoundFileName(index, spot.audioFile);
        makeFolder(sounds);
        copyFile(spot.audioFile, sounds + u'/' + content.soundFileName);
    }
    if (page)
        page->seal(pages_.spotPage(content));
    return true;
}

// Both passes make the folders, so that a site cancelled while counting already has them. A folder
// that cannot be made is reported once, by the writing pass.
void SiteWriter::makeFolder(const QString& path)
{
    const std::optional<QString> failure = SiteFiles::MakeFolder(path);
    if (failure && !counting())
        report_.add({path, *failure});
}

void SiteWriter::copyFile(const QString& source, const QString& target)
{
    if (counting())
        return;
    if (std::optional<QString> failure = SiteFiles::CopyFile(source, target))
        report_.add({target, *failure});
}

void SiteWriter::writePage(const QString& path, const QString& text)
{
    if (counting())
        return;
    if (std::optional<QString> failure = SiteFiles::WritePage(path, text))
        report_.add({path, *failure});
}

void SiteWriter::convert(const QString& source, std::vector<JpegTarget> targets, std::shared_ptr<PendingPage> page)
{
    conversions_->submit({source, std::move(targets), std::move(page)});
}

}  // namespace html_export
