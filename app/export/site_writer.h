#pragma once

#include "app/export/export_report.h"
#include "app/export/export_state.h"
#include "app/export/jpeg_converter.h"
#include "app/export/map_snapshot.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace html_export {

class ConversionQueue;
class PendingPage;

// One pass over a map and, through its map spots, every map below it: the counting pass adds up the
// work units; the writing pass makes the folders, pages, pictures and sound copies of the site.
// Each pass starts with the root map already visited, so a map is taken once, at its first link in
// spot order, and links back to it get no pin. A photo spot's page is written only after its
// pictures, and a linked map gets a pin only when its index page is written too: a cancel at any
// point leaves no page that names a file the site lacks.
//
// Thread: the export's worker; linked maps are loaded on it.
class SiteWriter {
public:
    struct Settings {
        // The program's pin picture, copied beside each map picture.
        QString pinPicture;
        MapLoader loadMap;
    };

    // `conversions` is null for the counting pass.
    SiteWriter(const Settings& settings, ExportState& state, ExportReport& report, ConversionQueue* conversions);

    // Takes the map saved at `documentPath` (the root of the site) into `folder`.
    void writeSite(const MapSnapshot& root, const QString& documentPath, const QString& folder);

private:
    // False when a cancel cut the map short, in which case its index page is not written either.
    bool writeMap(const MapSnapshot& map, const QString& folder, const QString& name, const QString& parentName);
    bool writePhotoSpot(const SpotSnapshot& spot, int index, const QString& folder, const QString& title,
                        const QString& mapName);
    std::optional<MapSnapshot> loadLinkedMap(const QString& path);

    void makeFolder(const QString& path);
    void copyFile(const QString& source, const QString& target);
    void writePage(const QString& path, const QString& text);
    // `page` names the picture; none for a map picture.
    void convert(const QString& source, std::vector<JpegTarget> targets, std::shared_ptr<PendingPage> page);

    bool counting() const { return conversions_ == nullptr; }

    const Settings& settings_;
    ExportState& state_;
    ExportReport& report_;
    ConversionQueue* conversions_;
    QStringList visited_;
};

}  // namespace html_export
