#include "app/export/document_snapshot.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/spot_story.h"
#include "components/interfaces/xml_property_bag.h"
#include "imaging/regular_file.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"

namespace html_export {

namespace {

QString toQString(const com::Bstr& text)
{
    const std::u16string_view view = text.view();
    return QString::fromUtf16(view.data(), static_cast<qsizetype>(view.size()));
}

com::Bstr toBstr(const QString& text)
{
    return com::Bstr(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
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
    {
        const imaging::RegularFile file(path);
        if (!file.isOpen())
            return MapLoad(std::nullopt, file.failure());
        if (file.size() > kMaxMapFileBytes)
            return MapLoad(std::nullopt, QStringLiteral("It is larger than 1 GB."));
    }
    com::ComPtr<IXMLPropertyBag> bag;
    if (com::FAILED(com::CreateInstance(CLSID_CXMLPropertyBag, bag)))
        return MapLoad(std::nullopt, QStringLiteral("The document component could not be created."));
    com::ComPtr<com::IUnknown> object;
    if (com::FAILED(bag->LoadFromFile(toBstr(path).get(), nullptr, object.put())) || !object)
        return MapLoad(std::nullopt, QStringLiteral("It is not a map Pinlore can read."));
    com::ComPtr<IDocument> document = object.tryAs<IDocument>();
    if (!document)
        return MapLoad(std::nullopt, QStringLiteral("It holds no map."));
    return MapLoad(Take(*document.get()));
}

}  // namespace html_export
