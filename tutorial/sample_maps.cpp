// Writes the tutorial's two sample maps beside the program, through the component library the way
// the program itself saves maps: a country map with photo spots and a map spot down to the city
// map, which has photo spots of its own and a map spot back up.
//
//   pinlore_sample_maps COMPONENT_LIBRARY PICTURES_FOLDER [WRITTEN_INTO]
//
// The maps hold absolute paths, so they name the pictures in PICTURES_FOLDER; they are written there
// too, unless an installation stages them elsewhere (WRITTEN_INTO) before they reach that folder.
#include "app/shell/component_registration.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct PhotoSpotPlan {
    tagRECT bounds;
    std::vector<std::string> pictures;
    std::string sound;
};

void addPhotoSpot(IDocument* document, const std::string& folder, const PhotoSpotPlan& plan)
{
    auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    tagRECT bounds = plan.bounds;
    com::ThrowIfFailed(spot->InitSpot(&bounds, document));
    for (const std::string& picture : plan.pictures) {
        com::Bstr path = com::Bstr::FromUtf8(folder + "/" + picture);
        com::BSTR value = path.get();
        com::ThrowIfFailed(spot->AddPhoto(&value));
    }
    if (!plan.sound.empty()) {
        com::Bstr sound = com::Bstr::FromUtf8(folder + "/" + plan.sound);
        com::BSTR value = sound.get();
        com::ThrowIfFailed(spot->SetAudioFile(&value));
    }
    com::ThrowIfFailed(document->AddSpot(spot.as<IBaseSpot>().get()));
}

void addMapSpot(IDocument* document, tagRECT bounds, const std::string& linkedMap)
{
    auto spot = com::CreateInstance<IMapSpot>(CLSID_PLMapSpot);
    com::ThrowIfFailed(spot->InitSpot(&bounds, document));
    com::Bstr path = com::Bstr::FromUtf8(linkedMap);
    com::BSTR value = path.get();
    com::ThrowIfFailed(spot->SetFileName(&value));
    com::ThrowIfFailed(document->AddSpot(spot.as<IBaseSpot>().get()));
}

void save(IDocument* document, const std::string& path)
{
    auto bag = com::CreateInstance<IXMLPropertyBag>(CLSID_CXMLPropertyBag);
    com::ThrowIfFailed(bag->SaveToFile(com::Bstr::FromUtf8(path).get(), document));
}

void writeSampleMaps(const std::string& folder, const std::string& writtenInto)
{
    const std::string country = folder + "/Country.plm";
    const std::string city = folder + "/City.plm";

    auto countryMap = com::CreateInstance<IDocument>(CLSID_PLDocument);
    com::ThrowIfFailed(countryMap->SetMapFile(com::Bstr::FromUtf8(folder + "/Country Map.jpg").get()));
    addPhotoSpot(countryMap.get(), folder, {{520, 430, 640, 530}, {"Vineyard Hills.jpg", "Mountain Lake.jpg"}, ""});
    addPhotoSpot(countryMap.get(), folder, {{1380, 980, 1500, 1080}, {"Harbour at Dawn.jpg"}, "Harbour Bells.wav"});
    addMapSpot(countryMap.get(), {1150, 780, 1270, 880}, city);
    save(countryMap.get(), writtenInto + "/Country.plm");
    
    auto cityMap = com::CreateInstance<IDocument>(CLSID_PLDocument);
    com::ThrowIfFailed(cityMap->SetMapFile(com::Bstr::FromUtf8(folder + "/City Map.jpg").get()));
    addPhotoSpot(cityMap.get(), folder, {{480, 480, 600, 600}, {"Old Town Square.jpg", "Riverside Market.jpg"}, ""});
    addPhotoSpot(cityMap.get(), folder, {{1150, 820, 1270, 940}, {"Evening Bridge.jpg"}, "Harbour Bells.wav"});
    addMapSpot(cityMap.get(), {80, 80, 200, 200}, country);
    save(cityMap.get(), writtenInto + "/City.plm");
    }

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3 && argc != 4) {
        std::fputs("Usage: pinlore_sample_maps COMPONENT_LIBRARY PICTURES_FOLDER [WRITTEN_INTO]\n", stderr);
        return 1;
    }
    com::ApartmentScope apartment;
    if (com::FAILED(shell::EnsureComponentsRegistered(argv[1]))) {
        std::fprintf(stderr, "pinlore_sample_maps: the component library %s could not be registered\n", argv[1]);
        return 1;
    }
    try {
        writeSampleMaps(argv[2], argv[argc - 1]);
    } catch (const com::ComError& error) {
        std::fprintf(stderr, "pinlore_sample_maps: the sample maps could not be written (0x%08X)\n",
                     static_cast<unsigned>(error.code()));
        return 1;
    }
    return 0;
}
