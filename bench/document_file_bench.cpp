// Saving and opening a large map through the XML property bag, beside pugixml parsing and writing
// the same file on its own: the bag's cost over the XML engine it uses. And opening a map whose
// pictures are there, beside the same map moved with its folder, every picture found by the search.
#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/xml_property_bag.h"
#include "tests/support/private_component_registry.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kSpots = 10'000;
constexpr int kPicturesPerSpot = 10;

// The bag's own calls share one component runtime and one document file for the whole run.
struct Fixture {
    Fixture()
    {
        test_support::UsePrivateComponentRegistry(PINLORE_COMPONENTS_LIBRARY);
        folder = std::filesystem::temp_directory_path() / ("pinlore-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        path = (folder / "large.plm").string();
        copyPath = (folder / "copy.plm").string();

        bag = com::CreateInstance<IXMLPropertyBag>(CLSID_CXMLPropertyBag);
        document = com::CreateInstance<IDocument>(CLSID_PLDocument);
        com::Bstr mapFile(u"/home/user/Pictures/Maps/world.jpg");
        document->SetMapFile(mapFile.get());
        for (int i = 0; i < kSpots; ++i) {
            auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
            tagRECT bounds{i % 1000, i / 10, i % 1000 + 40, i / 10 + 40};
            spot->InitSpot(&bounds, nullptr);
            for (int p = 0; p < kPicturesPerSpot; ++p) {
                com::Bstr picture = com::Bstr::FromUtf8("/home/user/Pictures/Trip " + std::to_string(i) + "/IMG_" +
                                                        std::to_string(p) + ".jpg");
                com::BSTR name = picture.get();
                spot->AddPhoto(&name);
            }
            document->AddSpot(spot.as<IBaseSpot>().get());
        }
        com::ThrowIfFailed(bag->SaveToFile(com::Bstr::FromUtf8(path).get(), document.get()));
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::string path;
    std::string copyPath;
    com::ComPtr<IXMLPropertyBag> bag;
    com::ComPtr<IDocument> document;
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BagSaveToFile(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const com::Bstr path = com::Bstr::FromUtf8(fixture.copyPath);
    for (auto _ : state) {
        if (com::FAILED(fixture.bag->SaveToFile(path.get(), fixture.document.get()))) state.SkipWithError("save failed");
    }
}

void BagLoadFromFile(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const com::Bstr path = com::Bstr::FromUtf8(fixture.path);
    for (auto _ : state) {
        com::ComPtr<com::IUnknown> loaded;
        if (com::FAILED(fixture.bag->LoadFromFile(path.get(), nullptr, loaded.put()))) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.get());
    }
}

// Two maps of kSpots photo spots over the same pictures, one file each in folders of a hundred: one
// names them where they are, the other where they were before its folder moved.
struct TravelFixture {
    TravelFixture()
    {
        Fixture& shared = Shared();
        const std::filesystem::path trip = shared.folder / "Trip";
        auto inPlace = com::CreateInstance<IDocument>(CLSID_PLDocument);
        auto moved = com::CreateInstance<IDocument>(CLSID_PLDocument);
        for (int i = 0; i < kSpots; ++i) {
            const std::string relative = "Photos/Day " + std::to_string(i / 100) + "/IMG_" + std::to_string(i) + ".jpg";
            std::filesystem::create_directories((trip / relative).parent_path());
            std::ofstream(trip / relative) << "picture";
            for (const auto& [document, folder] : {std::pair{inPlace, trip.string()}, std::pair{moved, std::string("/media/old disk/Trip")}}) {
                auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
                tagRECT bounds{i % 1000, i / 10, i % 1000 + 40, i / 10 + 40};
                spot->InitSpot(&bounds, nullptr);
                com::Bstr picture = com::Bstr::FromUtf8(folder + "/" + relative);
                com::BSTR name = picture.get();
                spot->AddPhoto(&name);
                document->AddSpot(spot.as<IBaseSpot>().get());
            }
        }
        inPlacePath = (trip / "in place.plm").string();
        movedPath = (trip / "moved.plm").string();
        com::ThrowIfFailed(shared.bag->SaveToFile(com::Bstr::FromUtf8(inPlacePath).get(), inPlace.get()));
        com::ThrowIfFailed(shared.bag->SaveToFile(com::Bstr::FromUtf8(movedPath).get(), moved.get()));
        inPlace->Empty();
        moved->Empty();
    }

    std::string inPlacePath;
    std::string movedPath;
};

void openMap(benchmark::State& state, const std::string& path)
{
    const com::Bstr file = com::Bstr::FromUtf8(path);
    for (auto _ : state) {
        com::ComPtr<com::IUnknown> loaded;
        if (com::FAILED(Shared().bag->LoadFromFile(file.get(), nullptr, loaded.put()))) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.get());
        loaded.as<IDocument>()->Empty();
    }
}

TravelFixture& Travel()
{
    static TravelFixture fixture;
    return fixture;
}

void OpenMapInPlace(benchmark::State& state)
{
    openMap(state, Travel().inPlacePath);
}

void OpenMapWhoseFolderMoved(benchmark::State& state)
{
    openMap(state, Travel().movedPath);
}

void PugixmlParse(benchmark::State& state)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        pugi::xml_document xml;
        if (!xml.load_file(fixture.path.c_str())) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(xml.first_child());
    }
}

void PugixmlSerialise(benchmark::State& state)
{
    Fixture& fixture = Shared();
    pugi::xml_document xml;
    xml.load_file(fixture.path.c_str());
    for (auto _ : state) {
        if (!xml.save_file(fixture.copyPath.c_str(), "", pugi::format_raw | pugi::format_no_declaration))
            state.SkipWithError("serialise failed");
    }
}

}  // namespace

BENCHMARK(BagSaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlSerialise)->Unit(benchmark::kMillisecond);
BENCHMARK(BagLoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlParse)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMapInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMapWhoseFolderMoved)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
