#include "app/export/document_snapshot.h"
#include "components/interfaces/photo_spot.h"
#include "tests/support/document_model.h"
#include "tests/app/export/map_files.h"
#include "tests/app/export/site_folder.h"
#include "tests/support/registered_components.h"

#include <gtest/gtest.h>

using html_export::DocumentSnapshot;
using html_export::MapSnapshot;
using html_export::SpotSnapshot;
using export_test::MapFiles;

class DocumentSnapshotTest : public test_support::ComponentTest {
protected:
    export_test::SiteFolder folder_;
};

TEST_F(DocumentSnapshotTest, PicturesAreTakenFromTheCurrentOneOnAndTheSpotKeepsItsPlace)
{
    auto map = MapFiles::NewMap("/maps/Coast.jpg");
    MapFiles::AddPhotoSpot(map.get(), {1, 2, 3, 4}, {"/p/A.jpg", "/p/B.jpg", "/p/C.jpg"}, "/s/song.mp3");
    MapFiles::AddMapSpot(map.get(), {5, 6, 7, 8}, "/maps/Paris.plm");
    com::ComPtr<IBaseSpot> first;
    ASSERT_EQ(map->SpotAtIndex(0, first.put()), com::S_OK);
    auto photos = first.as<IPhotoSpot>();
    test_support::SetStory(first.get(), {u"Coast", u"By the sea", {u"a", u"", u"c"}});
    com::ComPtr<IBaseSpot> second;
    ASSERT_EQ(map->SpotAtIndex(1, second.put()), com::S_OK);
    test_support::SetStory(second.get(), {u"To Paris", u"", {}});
    photos->SetIndex(1);

    const MapSnapshot snapshot = DocumentSnapshot::Take(*map.get());
    EXPECT_EQ(snapshot.mapPicture, "/maps/Coast.jpg");
    ASSERT_EQ(snapshot.spots.size(), 2u);
    EXPECT_EQ(snapshot.spots[0].kind, SpotSnapshot::Kind::Photo);
    EXPECT_EQ(snapshot.spots[0].pictures, QStringList({"/p/B.jpg", "/p/C.jpg", "/p/A.jpg"}));
    EXPECT_EQ(snapshot.spots[0].captions, QStringList({"", "c", "a"})) << "each caption with its picture";
    EXPECT_EQ(snapshot.spots[0].title, "Coast");
    EXPECT_EQ(snapshot.spots[0].text, "By the sea");
    EXPECT_EQ(snapshot.spots[1].title, "To Paris");
    EXPECT_EQ(snapshot.spots[0].audioFile, "/s/song.mp3");
    EXPECT_EQ(snapshot.spots[0].bounds.right, 3);
    EXPECT_EQ(snapshot.spots[1].kind, SpotSnapshot::Kind::Map);
    EXPECT_EQ(snapshot.spots[1].linkedMap, "/maps/Paris.plm");
    EXPECT_EQ(snapshot.spots[1].bounds.left, 5);
    com::LONG index = -1;
    photos->GetIndex(&index);
    EXPECT_EQ(index, 1);
}

TEST_F(DocumentSnapshotTest, ASavedMapLoadsIntoASnapshot)
{
    auto map = MapFiles::NewMap("/maps/Coast.jpg");
    MapFiles::AddPhotoSpot(map.get(), {1, 2, 3, 4}, {"/p/A.jpg"});
    const QString path = folder_.path("Coast.plm");
    MapFiles::Save(map.get(), path);

    const std::optional<MapSnapshot> loaded = DocumentSnapshot::Load(path).map;
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->mapPicture, "/maps/Coast.jpg");
    ASSERT_EQ(loaded->spots.size(), 1u);
    EXPECT_EQ(loaded->spots[0].pictures, QStringList({"/p/A.jpg"}));
    EXPECT_TRUE(loaded->spots[0].audioFile.isEmpty());
}

TEST_F(DocumentSnapshotTest, FilesThatAreNotMapsGiveNothing)
{
    EXPECT_FALSE(DocumentSnapshot::Load(folder_.path("missing.plm")).map);
    EXPECT_FALSE(DocumentSnapshot::Load(folder_.write("junk.plm", "not xml <")).map);
    EXPECT_FALSE(DocumentSnapshot::Load(folder_.write("other.plm", "<Object clsid=\"{00000000-0000-0000-0000-000000000000}\"/>")).map);
}
