#include "tests/app/export/map_files.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"

namespace export_test {

namespace {

com::Bstr bstr(const QString& text)
{
    return com::Bstr(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

}  // namespace

com::ComPtr<IDocument> MapFiles::NewMap(const QString& mapPicture)
{
    auto map = com::CreateInstance<IDocument>(CLSID_PLDocument);
    if (!mapPicture.isEmpty())
        com::ThrowIfFailed(map->SetMapFile(bstr(mapPicture).get()));
    return map;
}

void MapFiles::AddPhotoSpot(IDocument* map, tagRECT bounds, const QStringList& pictures, const QString& sound)
{
    auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    com::ThrowIfFailed(spot->InitSpot(&bounds, map));
    for (const QString& picture : pictures) {
        com::Bstr path = bstr(picture);
        com::BSTR value = path.get();
        com::ThrowIfFailed(spot->AddPhoto(&value));
    }
    if (!sound.isEmpty()) {
        com::Bstr path = bstr(sound);
        com::BSTR value = path.get();
        com::ThrowIfFailed(spot->SetAudioFile(&value));
    }
    com::ThrowIfFailed(map->AddSpot(spot.as<IBaseSpot>().get()));
}

void MapFiles::AddMapSpot(IDocument* map, tagRECT bounds, const QString& linkedMap)
{
    auto spot = com::CreateInstance<IMapSpot>(CLSID_PLMapSpot);
    com::ThrowIfFailed(spot->InitSpot(&bounds, map));
    com::Bstr path = bstr(linkedMap);
    com::BSTR value = path.get();
    com::ThrowIfFailed(spot->SetFileName(&value));
    com::ThrowIfFailed(map->AddSpot(spot.as<IBaseSpot>().get()));
}

void MapFiles::Save(IDocument* map, const QString& path)
{
    auto bag = com::CreateInstance<IXMLPropertyBag>(CLSID_CXMLPropertyBag);
    com::ThrowIfFailed(bag->SaveToFile(bstr(path).get(), map));
}

}  // namespace export_test
