#pragma once

#include "app/export/export_report.h"
#include "app/export/export_state.h"
#include "app/export/jpeg_converter.h"
#include "app/export/map_snapshot.h"
#include "app/export/site_pages.h"

#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace html_export {

class ConversionQueue;
class PendingPage;

// One pass over a map and, through its map spots, every map below it, depth first: the counting pass adds up the
// work units; the writing pass makes the folders, pages, pictures and sound copies of the site.
// Each pass starts with the root map already visited, so a map is taken once, at its first link in
// spot order, and links back to it get no pin. A photo spot's page is written only after its
// pictures, and a linked map gets a pin only when its index page is written too: a cancel at any
// point leaves no page that names a file the site lacks.
//
// The maps being written are kept on a stack of their own rather than the call stack, so a chain of
// linked maps of any length cannot exhaust the worker's stack; a linked map whose folder would pass
// the system's path limit is reported and not entered, which bounds the depth, and with it the
// memory, by the path limit.
//
// Thread: the export's worker; linked maps are loaded on it.
class SiteWriter {
public:
    struct Settings {
        // The program's pin picture, copied beside each map picture.
        QString pinPicture;
        MapLoader loadMap;
        ExportStyle style = ExportStyle::Classic;
    };

    // `conversions` is null for the counting pass.
    SiteWriter(const Settings& settings, ExportState& state, ExportReport& report, ConversionQueue* conversions);

    // Takes the map saved at `documentPath` (the root of the site) into `folder`.
    void writeSite(const MapSnapshot& root, const QString& documentPath, const QString& folder);

private:
    // A map whose index page is being made, with the spot to take next.
    struct MapInProgress {
        MapSnapshot map;
        QString folder;
        QString name;
        QString title;
        QString page;
        QSize pictureSize;
        std::size_t nextSpot = 0;
        // Where the pin of the linked map being written below this one goes (its spot's rectangle on
        // the map image), added once that map is complete.
        std::optional<tagRECT> childPin;
    };

    // Makes the map's folders and picture and starts its index page; the map has a map picture.
    MapInProgress beginMap(MapSnapshot map, const QString& folder, const QString& name, const QString& parentName);
    // The linked map of spot `index` of `parent`, ready to be written, or nothing when it gets no pin.
    std::optional<MapInProgress> enterLinkedMap(const MapInProgress& parent, const SpotSnapshot& spot, int index);
    // False when a cancel cut the spot short: then nothing more is written.
    bool writePhotoSpot(const SpotSnapshot& spot, int index, const QString& folder, const QString& title,
                        const QString& mapName);

    void makeFolder(const QString& path);
    void copyFile(const QString& source, const QString& target);
    void writePage(const QString& path, const QString& text);
    // `page` names the picture; none for a map picture.
    void convert(const QString& source, std::vector<JpegTarget> targets, std::shared_ptr<PendingPage> page);

    bool counting() const { return conversions_ == nullptr; }

    const Settings& settings_;
    const SitePages& pages_;
    ExportState& state_;
    ExportReport& report_;
    ConversionQueue* conversions_;
    QSet<QString> visited_;
};

}  // namespace html_export
