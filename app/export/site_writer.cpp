#include "app/export/site_writer.h"

#include "app/export/conversion_queue.h"
#include "app/export/export_names.h"
#include "app/export/page_geometry.h"
#include "app/export/page_templates.h"
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
    : settings_(settings), state_(state), report_(report), conversions_(conversions)
{
}

void SiteWriter::writeSite(const MapSnapshot& root, const QString& documentPath, const QString& folder)
{
    visited_ = QStringList{RealPath(documentPath)};
    writeMap(root, folder, documentPath, QString());
}

bool SiteWriter::writeMap(const MapSnapshot& map, const QString& folder, const QString& name, const QString& parentName)
{
    if (map.mapPicture.isEmpty())
        return true;
    const QString mapName = ExportNames::MapName(name);
    const QString images = folder + QStringLiteral("/images");
    makeFolder(folder);
    makeFolder(images);

    if (counting()) {
        ++state_.total;
    } else {
        copyFile(settings_.pinPicture, images + QStringLiteral("/pushPin.gif"));
        convert(map.mapPicture, {{images + QStringLiteral("/map.jpg"), kFullQuality}}, nullptr);
    }

    const QString linkLine =
        parentName.isEmpty() ? PageTemplates::RootLinkLine() : PageTemplates::ParentLinkLine(parentName);
    const QString title = ExportNames::WithoutLastFour(ExportNames::FileName(map.mapPicture));
    QString page = PageTemplates::IndexHead(title, linkLine);
    const QSize mapSize = counting() ? QSize() : imaging::Image::SizeOfFile(map.mapPicture);

    for (int i = 0; i < static_cast<int>(map.spots.size()) && !state_.cancel; ++i) {
        const SpotSnapshot& spot = map.spots[static_cast<std::size_t>(i)];
        // A map picture that cannot be read leaves the pins where the spots are on the map picture.
        const QPoint pin = PageGeometry::PinPoint(PageGeometry::MapToPage(mapSize, spot.bounds).value_or(spot.bounds));
        if (spot.kind == SpotSnapshot::Kind::Map) {
            const std::optional<MapSnapshot> child = loadLinkedMap(spot.linkedMap);
            if (!child)
                continue;
            const QString subFolder = folder + QStringLiteral("/spot%1").arg(i);
            makeFolder(subFolder);
            makeFolder(subFolder + QStringLiteral("/images"));
            // Its pin would lead to an index page that is never written.
            if (child->mapPicture.isEmpty()) {
                if (!counting())
                    report_.add({spot.linkedMap, QStringLiteral("The linked map has no map picture.")});
                continue;
            }
            const QString childName = ExportNames::WithoutLastFour(ExportNames::FileName(spot.linkedMap));
            if (!writeMap(*child, subFolder, childName, mapName) || state_.cancel)
                return false;
            page += PageTemplates::MapSpotPin(pin.x(), pin.y(), i);
        } else {
            page += PageTemplates::PhotoSpotPin(pin.x(), pin.y(), i);
            if (!writePhotoSpot(spot, i, folder, title, mapName))
                return false;
        }
    }

    page += PageTemplates::IndexClosing();
    writePage(folder + QStringLiteral("/index.html"), page);
    return true;
}

bool SiteWriter::writePhotoSpot(const SpotSnapshot& spot, int index, const QString& folder, const QString& title,
                                const QString& mapName)
{
    const int count = static_cast<int>(spot.pictures.size());
    const std::shared_ptr<PendingPage> page =
        counting() ? nullptr : std::make_shared<PendingPage>(folder + QStringLiteral("/spot%1.html").arg(index), report_);
    QString pictureList;
    QString lowResolutionList;
    for (int j = 0; j < count; ++j) {
        if (state_.cancel) {
            if (page)
                page->abandon();
            return false;
        }
        const QString separator = j + 1 < count ? PageTemplates::ListSeparator() : QString();
        if (counting()) {
            ++state_.total;
        } else {
            const QString images = folder + QStringLiteral("/images");
            convert(spot.pictures[j],
                    {{images + QStringLiteral("/spot%1_img%2.jpg").arg(index).arg(j), kFullQuality},
                     {images + QStringLiteral("/spot%1_lo_res_img%2.jpg").arg(index).arg(j), kLowQuality}},
                    page);
        }
        pictureList += PageTemplates::PictureEntry(index, j) + separator;
        lowResolutionList += PageTemplates::LowResolutionEntry(index, j) + separator;
    }

    QString text = PageTemplates::SpotHead(title, mapName) + PageTemplates::WaitingNote();
    if (!spot.audioFile.isEmpty()) {
        const QString sounds = folder + QStringLiteral("/sounds");
        const QString extension = ExportNames::SoundExtension(spot.audioFile);
        makeFolder(sounds);
        copyFile(spot.audioFile, sounds + QStringLiteral("/spot%1_sound.").arg(index) + extension);
        text += PageTemplates::SoundLine(index, extension);
    }
    text += PageTemplates::SlideShowScript(pictureList, lowResolutionList);
    if (page)
        page->seal(std::move(text));
    return true;
}

std::optional<MapSnapshot> SiteWriter::loadLinkedMap(const QString& path)
{
    const QString real = RealPath(path);
    if (visited_.contains(real))
        return std::nullopt;
    visited_.append(real);
    if (path.isEmpty())
        return std::nullopt;
    std::optional<MapSnapshot> map = settings_.loadMap(path);
    if (!map && !counting())
        report_.add({path, QStringLiteral("The linked map could not be opened.")});
    return map;
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
