#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "platform/com/event_source.h"
#include "platform/com/runtime.h"
#include "tests/components/document/recording_property_bag.h"
#include "tests/support/document_listener.h"
#include "tests/support/document_model.h"
#include "tests/support/registered_components.h"

#include <limits>

using namespace com;
using namespace test_support;

namespace {

using Names = std::vector<std::u16string>;

class NoErrorLog final : public Implements<NoErrorLog, IErrorLog> {
public:
    HRESULT AddError(const OLECHAR*, EXCEPINFO*) noexcept override { return S_OK; }
};

class Persistence : public ComponentTest {
protected:
    static ComPtr<IPersistPropertyBag> Persist(IUnknown* object)
    {
        return ComPtr<IUnknown>(object).as<IPersistPropertyBag>();
    }
    static ComPtr<IDocument> ThreeSpotDocument()
    {
        auto document = MakeDocument();
        document->AddSpot(BaseOf(MakePhotoSpot(document.get(), {1, 2, 3, 4}).get()).get());
        document->AddSpot(BaseOf(MakeMapSpot(document.get(), {5, 6, 7, 8}).get()).get());
        document->AddSpot(BaseOf(MakePhotoSpot(document.get(), {9, 9, 9, 9}).get()).get());
        return document;
    }
};

TEST_F(Persistence, DocumentWritesItsKeysInOrderAndEndsClean)
{
    auto document = ThreeSpotDocument();
    Bstr path(u"/maps/world.jpg");
    document->SetMapFile(path.get());
    VARIANT_BOOL dirty = VARIANT_TRUE;
    document->SetDirty(&dirty);

    auto bag = Make<RecordingPropertyBag>();
    ASSERT_EQ(Persist(document.get())->Save(bag.get(), false, false), S_OK);
    EXPECT_EQ(bag->writtenNames(),
              (Names{u"MapFileKey", u"NumSpotsKey", u"Spot_0_Key", u"Spot_1_Key", u"Spot_2_Key"}));
    const auto& writes = bag->writes();
    EXPECT_EQ(writes[0].second.vt, VT_BSTR);
    EXPECT_EQ(View(writes[0].second.bstrVal), u"/maps/world.jpg");
    EXPECT_EQ(writes[1].second.vt, VT_I4);
    EXPECT_EQ(writes[1].second.lVal, 3);
    auto spots = SpotsOf(document);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(writes[2 + i].second.vt, VT_DISPATCH);
        EXPECT_TRUE(SameObject(writes[2 + i].second.pdispVal, spots[i].get()));
    }
    LONG isDirty = -1;
    document->IsDirty(&isDirty);
    EXPECT_EQ(isDirty, 0) << "saving cleans the document whatever fClearDirty says";
}

TEST_F(Persistence, DocumentWritesAnAbsentMapFileAsANullString)
{
    auto document = MakeDocument();
    auto bag = Make<RecordingPropertyBag>();
    Persist(document.get())->Save(bag.get(), true, true);
    ASSERT_EQ(bag->writes().size(), 2u);
    EXPECT_EQ(bag->writes()[0].second.vt, VT_BSTR);
    EXPECT_EQ(bag->writes()[0].second.bstrVal, nullptr);
    EXPECT_EQ(bag->writes()[1].second.lVal, 0);
}

TEST_F(Persistence, PhotoSpotWritesCountBoundsPicturesThenSound)
{
    auto spot = MakePhotoSpot(nullptr, {1, 2, 3, 4});
    AddPhoto(spot, u"/a.jpg");
    AddPhoto(spot, u"/b.jpg");
    auto bag = Make<RecordingPropertyBag>();
    ASSERT_EQ(Persist(spot.get())->Save(bag.get(), true, true), S_OK);
    EXPECT_EQ(bag->writtenNames(), (Names{u"NumFilesKey", u"BoundsTopKey", u"BoundsLeftKey", u"BoundsBottomKey",
                                          u"BoundsRightKey", u"File_0_Key", u"File_1_Key", u"AudioFileKey"}));
    EXPECT_EQ(bag->value(u"NumFilesKey").lVal, 2);
    EXPECT_EQ(bag->value(u"BoundsTopKey").lVal, 2);
    EXPECT_EQ(bag->value(u"BoundsLeftKey").lVal, 1);
    EXPECT_EQ(bag->value(u"BoundsBottomKey").lVal, 4);
    EXPECT_EQ(bag->value(u"BoundsRightKey").lVal, 3);
    EXPECT_EQ(View(bag->value(u"File_1_Key").bstrVal), u"/b.jpg");
    EXPECT_EQ(bag->value(u"AudioFileKey").vt, VT_BSTR);
    EXPECT_EQ(bag->value(u"AudioFileKey").bstrVal, nullptr) << "no sound is written as a null string";
}

TEST_F(Persistence, PhotoSpotReadsPicturesBeforeBoundsAndKeepsIndexAndSelection)
{
    auto source = MakePhotoSpot(nullptr, {10, 20, 30, 40});
    AddPhoto(source, u"/a.jpg");
    AddPhoto(source, u"/b.jpg");
    Bstr sound(u"/s.wav");
    BSTR value = sound.get();
    source->SetAudioFile(&value);
    auto bag = Make<RecordingPropertyBag>();
    Persist(source.get())->Save(bag.get(), true, true);

    auto loaded = CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    loaded->SetIndex(1);
    BaseOf(loaded.get())->SetSelected(VARIANT_TRUE);
    auto log = Make<NoErrorLog>();
    ASSERT_EQ(Persist(loaded.get())->Load(bag.get(), log.get()), S_OK);
    // The story's keys come last: a spot stored without them reads exactly as before.
    EXPECT_EQ(bag->readNames(), (Names{u"NumFilesKey", u"File_0_Key", u"File_1_Key", u"BoundsTopKey", u"BoundsLeftKey",
                                       u"BoundsBottomKey", u"BoundsRightKey", u"AudioFileKey", u"TitleKey", u"TextKey",
                                       u"Caption_0_Key", u"Caption_1_Key"}));
    for (IErrorLog* each : bag->readLogs()) EXPECT_EQ(each, log.get()) << "the error log goes with every read";

    EXPECT_EQ(PicturesOf(loaded), (std::vector<std::u16string>{u"/a.jpg", u"/b.jpg"}));
    EXPECT_EQ(BoundsOf(loaded.get()), (tagRECT{10, 20, 30, 40}));
    EXPECT_EQ(AudioOf(loaded), u"/s.wav");
    EXPECT_EQ(IndexOf(loaded), 1);
    VARIANT_BOOL selected = 0;
    BaseOf(loaded.get())->GetSelected(&selected);
    EXPECT_EQ(selected, VARIANT_TRUE);
}

TEST_F(Persistence, PhotoSpotWithoutSoundKeyKeepsItsSound)
{
    auto bag = Make<RecordingPropertyBag>();
    bag->put(u"NumFilesKey", Variant(0));
    auto spot = MakePhotoSpot(nullptr, {0, 0, 1, 1});
    Bstr sound(u"/s.wav");
    BSTR value = sound.get();
    spot->SetAudioFile(&value);
    ASSERT_EQ(Persist(spot.get())->Load(bag.get(), nullptr), S_OK);
    EXPECT_EQ(AudioOf(spot), u"/s.wav");

    bag->put(u"AudioFileKey", Variant::FromString(BSTR(nullptr)));
    Persist(spot.get())->Load(bag.get(), nullptr);
    EXPECT_EQ(AudioOf(spot), std::nullopt) << "a stored null string removes the sound";
}

TEST_F(Persistence, DamagedCountsNeitherHangNorInventEntries)
{
    auto bag = Make<RecordingPropertyBag>();
    bag->put(u"NumFilesKey", Variant(std::numeric_limits<LONG>::max()));
    bag->put(u"File_0_Key", Variant::FromString(std::u16string_view(u"/a.jpg")));
    auto spot = CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    ASSERT_EQ(Persist(spot.get())->Load(bag.get(), nullptr), S_OK);
    EXPECT_EQ(PicturesOf(spot), (std::vector<std::u16string>{u"/a.jpg"}));

    auto documentBag = Make<RecordingPropertyBag>();
    documentBag->put(u"NumSpotsKey", Variant(std::numeric_limits<LONG>::max()));
    documentBag->put(u"Spot_0_Key", Variant::FromDispatch(spot.get()));
    auto document = MakeDocument();
    ASSERT_EQ(Persist(document.get())->Load(documentBag.get(), nullptr), S_OK);
    EXPECT_EQ(SpotsOf(document).size(), 1u);
    EXPECT_EQ(MapFileOf(document), u"") << "a missing map file key leaves no map file";
}

// A missing numbered key is skipped and the entries after it load, however large the stored count:
// reads stop at as many keys as the bag holds. A bag that cannot count ends the list at the gap.
TEST_F(Persistence, AGapInTheNumberedKeysIsSkippedWhenTheBagCountsItsKeys)
{
    for (const bool counting : {true, false}) {
        SCOPED_TRACE(counting ? "a bag that counts" : "a bag that cannot count");
        auto bag = Make<RecordingPropertyBag>();
        if (!counting) bag->stopCounting();
        bag->put(u"NumFilesKey", Variant(std::numeric_limits<LONG>::max()));
        bag->put(u"File_0_Key", Variant::FromString(std::u16string_view(u"/a.jpg")));
        bag->put(u"File_2_Key", Variant::FromString(std::u16string_view(u"/c.jpg")));
        auto spot = CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
        ASSERT_EQ(Persist(spot.get())->Load(bag.get(), nullptr), S_OK);
        EXPECT_EQ(PicturesOf(spot), counting ? (std::vector<std::u16string>{u"/a.jpg", u"/c.jpg"})
                                             : (std::vector<std::u16string>{u"/a.jpg"}));

        auto documentBag = Make<RecordingPropertyBag>();
        if (!counting) documentBag->stopCounting();
        documentBag->put(u"NumSpotsKey", Variant(std::numeric_limits<LONG>::max()));
        documentBag->put(u"Spot_1_Key", Variant::FromDispatch(spot.get()));
        auto document = MakeDocument();
        ASSERT_EQ(Persist(document.get())->Load(documentBag.get(), nullptr), S_OK);
        EXPECT_EQ(SpotsOf(document).size(), counting ? 1u : 0u);
        EXPECT_EQ(documentBag->readNames().size(), counting ? 4u : 3u) << "MapFileKey, NumSpotsKey, then the spots";
        document->Empty();
    }
}

TEST_F(Persistence, MapSpotWritesAndReadsLinkThenBounds)
{
    auto source = MakeMapSpot(nullptr, {1, 2, 3, 4});
    Bstr link(u"/maps/city.plm");
    BSTR value = link.get();
    source->SetFileName(&value);
    auto bag = Make<RecordingPropertyBag>();
    ASSERT_EQ(Persist(source.get())->Save(bag.get(), true, true), S_OK);
    const Names order{u"MapNameKey", u"BoundsTopKey", u"BoundsLeftKey", u"BoundsBottomKey", u"BoundsRightKey"};
    EXPECT_EQ(bag->writtenNames(), order);

    auto loaded = CreateInstance<IMapSpot>(CLSID_PLMapSpot);
    ASSERT_EQ(Persist(loaded.get())->Load(bag.get(), nullptr), S_OK);
    Names read = order;
    read.insert(read.end(), {u"TitleKey", u"TextKey"});
    EXPECT_EQ(bag->readNames(), read);
    EXPECT_EQ(LinkOf(loaded), u"/maps/city.plm");
    EXPECT_EQ(BoundsOf(loaded.get()), (tagRECT{1, 2, 3, 4}));
}

TEST_F(Persistence, DocumentLoadAppendsSpotsGivesThemTheDocumentAndBroadcastsNothing)
{
    auto photo = CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    auto map = CreateInstance<IMapSpot>(CLSID_PLMapSpot);
    auto notASpot = CreateInstance<IUndoAction>(CLSID_PLUndoAction);
    auto bag = Make<RecordingPropertyBag>();
    bag->put(u"MapFileKey", Variant::FromString(std::u16string_view(u"/maps/world.jpg")));
    bag->put(u"NumSpotsKey", Variant(4));
    bag->put(u"Spot_0_Key", Variant::FromDispatch(photo.get()));
    bag->put(u"Spot_1_Key", Variant::FromDispatch(notASpot.get()));
    bag->put(u"Spot_2_Key", Variant(7));
    bag->put(u"Spot_3_Key", Variant::FromDispatch(map.get()));

    auto document = MakeDocument();
    auto listener = Make<DocumentListener>();
    EventConnection<_IDocumentEvents> connection(document.get(), listener->identity());
    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 1, 1}).get());
    document->AddSpot(spot.get());
    document->PutCurrentSpot(spot.get());
    VARIANT_BOOL dirty = VARIANT_TRUE;
    document->SetDirty(&dirty);
    listener->clear();

    auto log = Make<NoErrorLog>();
    ASSERT_EQ(Persist(document.get())->Load(bag.get(), log.get()), S_OK);
    EXPECT_TRUE(listener->notifications().empty()) << "loading broadcasts nothing";
    EXPECT_EQ(bag->readNames(), (Names{u"MapFileKey", u"NumSpotsKey", u"Spot_0_Key", u"Spot_1_Key", u"Spot_2_Key",
                                       u"Spot_3_Key"}));
    for (IErrorLog* each : bag->readLogs()) EXPECT_EQ(each, log.get());

    auto spots = SpotsOf(document);
    ASSERT_EQ(spots.size(), 3u) << "objects without IBaseSpot are skipped; the old spot stays";
    EXPECT_EQ(spots[0], spot);
    EXPECT_TRUE(SameObject(spots[1].get(), photo.get()));
    EXPECT_TRUE(SameObject(spots[2].get(), map.get()));
    EXPECT_EQ(MapFileOf(document), u"/maps/world.jpg");
    LONG isDirty = -1;
    document->IsDirty(&isDirty);
    EXPECT_EQ(isDirty, 0);
    ComPtr<IBaseSpot> current;
    document->GetCurrentSpot(current.put());
    EXPECT_FALSE(current);
    VARIANT_BOOL selected = 0;
    spot->GetSelected(&selected);
    EXPECT_EQ(selected, VARIANT_TRUE) << "the dropped current spot keeps its flag";

    AddPhoto(photo, u"/a.jpg");
    EXPECT_EQ(listener->notifications(),
              (std::vector<DocumentListener::Notification>{{IdentityOf(photo.get()), kPictureAdded}}))
        << "loaded spots report to the document that loaded them";
}

TEST_F(Persistence, NamesTheClassOfEachComponent)
{
    CLSID classId{};
    Persist(MakeDocument().get())->GetClassID(&classId);
    EXPECT_EQ(classId, CLSID_PLDocument);
    Persist(MakePhotoSpot(nullptr, {}).get())->GetClassID(&classId);
    EXPECT_EQ(classId, CLSID_PLPhotoSpot);
    Persist(MakeMapSpot(nullptr, {}).get())->GetClassID(&classId);
    EXPECT_EQ(classId, CLSID_PLMapSpot);
    EXPECT_EQ(Persist(MakeDocument().get())->InitNew(), S_OK);
}

}  // namespace
