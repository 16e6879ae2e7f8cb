#include "app/export/document_snapshot.h"

#include "app/export/map_file.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/spot_story.h"
#include "platform/com/bstr.h"

namespace html_export {

namespace {

QString toQString(const com::Bstr& text)
{
    const std::u16string_view view = text.view();
    return QString::fromUtf16(view.data(), static_cast<qsizetype>(view.size()));
}

// The pictures in showing order, each with its caption: one step back from the current picture,
// then one step forward before each, which starts at the current picture and wraps around the end.
void readPictures(IPhotoSpot& spot, ISpotStory* story, SpotSnapshot& snapshot)
{
    com::LONG count = 0;
    com::LONG index = 0;
    spot.NumImages(&count);
    spot.GetIndex(&index);
    spot.PreviousImage();
    for (com::LONG j = 0; j < count; ++j) {
        spot.NextImage();
        com::Bstr picture;
        spot.CurrentImage(picture.put());
        snapshot.pictures.append(toQString(picture));
        com::LONG shown = 0;
        com::Bstr caption;
        spot.GetIndex(&shown);
        if (story) story->GetCaption(shown, caption.put());
        snapshot.captions.append(toQString(caption));
    }
    spot.SetIndex(index);
}

SpotSnapshot spotOf(IBaseSpot& spot)
{
    SpotSnapshot snapshot;
    spot.GetBounds(&snapshot.bounds);
    com::ComPtr<IBaseSpot> base(&spot);
    const com::ComPtr<ISpotStory> story = base.tryAs<ISpotStory>();
    if (story) {
        com::Bstr title;
        com::Bstr text;
        story->GetTitle(title.put());
        story->GetText(text.put());
        snapshot.title = toQString(title);
        snapshot.text = toQString(text);
    }
    if (com::ComPtr<IMapSpot> mapSpot = base.tryAs<IMapSpot>()) {
        snapshot.kind = SpotSnapshot::Kind::Map;
        com::Bstr linked;
        mapSpot->GetFileName(linked.put());
        snapshot.linkedMap = toQString(linked);
    } else if (com::ComPtr<IPhotoSpot> photoSpot = base.tryAs<IPhotoSpot>()) {
        readPictures(*photoSpot.get(), story.get(), snapshot);
        com::Bstr audio;
        photoSpot->GetAudioFile(audio.put());
        snapshot.audioFile = toQString(audio);
    }
    return snapshot;
}

}  // namespace

MapSnapshot DocumentSnapshot::Take(IDocument& document)
{
    MapSnapshot map;
    com::Bstr mapFile;
    document.GetMapFile(mapFile.put());
    map.mapPicture = toQString(mapFile);
    com::LONG count = 0;
    document.GetNumSpots(&count);
    for (com::LONG i = 0; i < count; ++i) {
        com::ComPtr<IBaseSpot> spot;
        if (com::SUCCEEDED(document.SpotAtIndex(i, spot.put())) && spot)
            map.spots.push_back(spotOf(*spot.get()));
    }
    return map;
}

MapLoad DocumentSnapshot::Load(const QString& path)
{
    const MapFile::Opened opened = MapFile::Open(path);
    if (!opened.document)
        return MapLoad(std::nullopt, opened.failure);
    return MapLoad(Take(*opened.document.get()));
}

}  // namespace html_export
