#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/restore_spot_action.h"
#include "components/interfaces/undo_create_action.h"
#include "platform/com/event_source.h"
#include "platform/com/persist.h"
#include "platform/com/runtime.h"
#include "tests/support/document_model.h"
#include "tests/support/registered_components.h"

using namespace com;
using namespace test_support;

namespace {

class Document : public ComponentTest {};

// Gives what a getter with an interface out-parameter answers, as a fresh reference.
template <class Getter>
ComPtr<IBaseSpot> Got(Getter getter)
{
    ComPtr<IBaseSpot> spot;
    EXPECT_EQ(getter(spot.put()), S_OK);
    return spot;
}

TEST_F(Document, StartsEmptyCleanAndWithAnEmptyMapFile)
{
    auto document = MakeDocument();
    Bstr mapFile;
    ASSERT_EQ(document->GetMapFile(mapFile.put()), S_OK);
    EXPECT_FALSE(mapFile.isNull()) << "an absent map file is given as an empty string, not null";
    EXPECT_EQ(mapFile.length(), 0u);

    LONG number = -1;
    EXPECT_EQ(document->GetNumSpots(&number), S_OK);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(document->IsDirty(&number), S_OK);
    EXPECT_EQ(number, 0);

    ComPtr<IBaseSpot> spot;
    EXPECT_EQ(document->FirstSpot(spot.put()), S_OK);
    EXPECT_FALSE(spot);
    EXPECT_EQ(document->GetCurrentSpot(spot.put()), S_OK);
    EXPECT_FALSE(spot);
}

TEST_F(Document, SetMapFileCopiesAndKeepsEmptyApartFromAbsent)
{
    auto document = MakeDocument();
    Bstr path(u"/maps/world.jpg");
    ASSERT_EQ(document->SetMapFile(path.get()), S_OK);
    path = Bstr(u"changed by the caller");
    EXPECT_EQ(MapFileOf(document), u"/maps/world.jpg");

    ASSERT_EQ(document->SetMapFile(nullptr), S_OK);
    EXPECT_EQ(MapFileOf(document), u"");

    LONG dirty = -1;
    document->IsDirty(&dirty);
    EXPECT_EQ(dirty, 0) << "setting the map file is not what marks the document dirty";
}

TEST_F(Document, DirtyFlagReadsThroughItsPointerAndAnswersALong)
{
    auto document = MakeDocument();
    VARIANT_BOOL value = 1;  // any non-zero value counts
    ASSERT_EQ(document->SetDirty(&value), S_OK);
    LONG dirty = 0;
    document->IsDirty(&dirty);
    EXPECT_EQ(dirty, 1);
    value = VARIANT_FALSE;
    document->SetDirty(&value);
    document->IsDirty(&dirty);
    EXPECT_EQ(dirty, 0);
    EXPECT_EQ(document->SetDirty(nullptr), E_POINTER);
}

TEST_F(Document, KeepsSpotsInOrderAndFindsThemByIndexAndIdentity)
{
    auto document = MakeDocument();
    auto a = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    auto b = BaseOf(MakeMapSpot(document.get(), {0, 0, 10, 10}).get());
    auto c = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    ASSERT_EQ(document->AddSpot(b.get()), S_OK);
    ASSERT_EQ(document->InsertSpot(a.get(), 0), S_OK);
    ASSERT_EQ(document->InsertSpot(c.get(), 2), S_OK) << "the number of spots appends";

    auto spots = SpotsOf(document);
    ASSERT_EQ(spots.size(), 3u);
    EXPECT_EQ(spots[0], a);
    EXPECT_EQ(spots[1], b);
    EXPECT_EQ(spots[2], c);

    LONG index = -1;
    EXPECT_EQ(document->GetSpotIndex(c.get(), &index), S_OK);
    EXPECT_EQ(index, 2);
    auto stranger = BaseOf(MakePhotoSpot(nullptr, {0, 0, 1, 1}).get());
    EXPECT_EQ(document->GetSpotIndex(stranger.get(), &index), S_OK);
    EXPECT_EQ(index, 3) << "a spot not in the list gives the number of spots";
}

TEST_F(Document, RefusesIndexesOutsideTheList)
{
    auto document = MakeDocument();
    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(spot.get());

    ComPtr<IBaseSpot> found;
    EXPECT_EQ(document->SpotAtIndex(1, found.put()), E_INVALIDARG);
    EXPECT_FALSE(found);
    EXPECT_EQ(document->SpotAtIndex(-1, found.put()), E_INVALIDARG);
    EXPECT_FALSE(found);

    EXPECT_EQ(document->InsertSpot(spot.get(), 2), E_INVALIDARG);
    EXPECT_EQ(document->InsertSpot(spot.get(), -1), E_INVALIDARG);
    EXPECT_EQ(document->InsertSpot(nullptr, 0), E_POINTER);
    EXPECT_EQ(document->AddSpot(nullptr), E_POINTER);
    EXPECT_EQ(document->DeleteSpot(nullptr), E_POINTER);
    EXPECT_EQ(SpotsOf(document).size(), 1u);
}

TEST_F(Document, IteratesWithOneCursorThatStopsPastTheEnd)
{
    auto document = MakeDocument();
    auto a = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    auto b = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(a.get());
    document->AddSpot(b.get());

    auto first = [&](IBaseSpot** out) { return document->FirstSpot(out); };
    auto next = [&](IBaseSpot** out) { return document->NextSpot(out); };
    EXPECT_EQ(Got(first), a);
    EXPECT_EQ(Got(next), b);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(Got(next)) << "past the end, and it stays there";
    EXPECT_EQ(Got(first), a) << "FirstSpot starts the cursor again";
}

TEST_F(Document, HitTestPrefersTheSelectedSpotThenTheLaterOne)
{
    auto document = MakeDocument();
    auto first = BaseOf(MakePhotoSpot(document.get(), {0, 0, 20, 20}).get());
    auto second = BaseOf(MakeMapSpot(document.get(), {10, 10, 30, 30}).get());
    document->AddSpot(first.get());
    document->AddSpot(second.get());

    auto at = [&](LONG x, LONG y) {
        tagPOINT point{x, y};
        return Got([&](IBaseSpot** out) { return document->SpotAtPoint(&point, out); });
    };
    EXPECT_EQ(at(15, 15), second) << "among unselected spots the later one wins";
    first->SetSelected(VARIANT_TRUE);
    EXPECT_EQ(at(15, 15), first) << "a selected spot wins over all others";
    EXPECT_FALSE(at(20, 5)) << "the right edge is outside the first spot";
    EXPECT_EQ(at(29, 29), second);
}

TEST_F(Document, SelectionMovesFromTheOldSpotToTheNew)
{
    auto document = MakeDocument();
    auto a = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    auto b = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(a.get());
    document->AddSpot(b.get());

    ASSERT_EQ(document->PutCurrentSpot(a.get()), S_OK);
    ASSERT_EQ(document->PutCurrentSpot(b.get()), S_OK);
    VARIANT_BOOL selected = 0;
    a->GetSelected(&selected);
    EXPECT_EQ(selected, VARIANT_FALSE);
    b->GetSelected(&selected);
    EXPECT_EQ(selected, VARIANT_TRUE);
    auto current = [&](IBaseSpot** out) { return document->GetCurrentSpot(out); };
    EXPECT_EQ(Got(current), b);

    document->PutCurrentSpot(nullptr);
    EXPECT_FALSE(Got(current));
    b->GetSelected(&selected);
    EXPECT_EQ(selected, VARIANT_FALSE);
}

TEST_F(Document, DeletingTheCurrentSpotClearsTheSelectionButNotItsFlag)
{
    auto document = MakeDocument();
    auto a = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    auto b = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(a.get());
    document->AddSpot(b.get());
    document->PutCurrentSpot(a.get());

    ASSERT_EQ(document->DeleteSpot(a.get()), S_OK);
    auto spots = SpotsOf(document);
    ASSERT_EQ(spots.size(), 1u);
    EXPECT_EQ(spots[0], b);
    ComPtr<IBaseSpot> current;
    document->GetCurrentSpot(current.put());
    EXPECT_FALSE(current);
    VARIANT_BOOL selected = 0;
    a->GetSelected(&selected);
    EXPECT_EQ(selected, VARIANT_TRUE);

    EXPECT_EQ(document->DeleteSpot(a.get()), S_OK) << "a spot not in the list leaves the list alone";
    EXPECT_EQ(SpotsOf(document).size(), 1u);
}

TEST_F(Document, EmptyKeepsPreviewSpotUndoManagerAndHistory)
{
    auto document = MakeDocument();
    ComPtr<IBaseSpot> preview;
    ASSERT_EQ(document->GetPreviewSpot(preview.put()), S_OK);
    ASSERT_TRUE(preview);
    EXPECT_EQ(BoundsOf(preview.get()), (tagRECT{0, 0, 0, 0}));
    EXPECT_TRUE(preview.tryAs<IPhotoSpot>());

    ComPtr<IUndoManager> undo;
    ASSERT_EQ(document->GetUndoManager(undo.put()), S_OK);
    undo->AddUndoAction(CreateInstance<IUndoAction>(CLSID_PLUndoAction).get());

    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(spot.get());
    document->PutCurrentSpot(spot.get());
    Bstr path(u"/maps/a.jpg");
    document->SetMapFile(path.get());
    VARIANT_BOOL dirty = VARIANT_TRUE;
    document->SetDirty(&dirty);

    ASSERT_EQ(document->Empty(), S_OK);
    EXPECT_TRUE(SpotsOf(document).empty());
    EXPECT_EQ(MapFileOf(document), u"");
    LONG isDirty = -1;
    document->IsDirty(&isDirty);
    EXPECT_EQ(isDirty, 0);
    ComPtr<IBaseSpot> current;
    document->GetCurrentSpot(current.put());
    EXPECT_FALSE(current);

    ComPtr<IBaseSpot> previewAfter;
    document->GetPreviewSpot(previewAfter.put());
    EXPECT_EQ(previewAfter, preview);
    ComPtr<IUndoManager> undoAfter;
    document->GetUndoManager(undoAfter.put());
    EXPECT_EQ(undoAfter, undo);
    VARIANT_BOOL available = VARIANT_FALSE;
    undo->UndoAvailable(&available);
    EXPECT_EQ(available, VARIANT_TRUE);
}

TEST_F(Document, IsCreatableByProgrammaticIdentifier)
{
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(u"Components.Document.1", &classId), S_OK);
    EXPECT_EQ(classId, CLSID_PLDocument);
    ComPtr<IDocument> document;
    ASSERT_EQ(CreateInstance(classId, document), S_OK);
    EXPECT_TRUE(document.tryAs<IPersistPropertyBag>());
    EXPECT_TRUE(document.tryAs<IConnectionPointContainer>());
}

// The document holds spots, preview spot and undo manager, and they hold it back only weakly: when
// the last outside reference goes, everything goes (the fixture checks the module's count).
TEST_F(Document, DroppingTheDocumentFreesSpotsUndoManagerAndActions)
{
    auto document = MakeDocument();
    ComPtr<IUndoManager> undo;
    document->GetUndoManager(undo.put());
    undo->SetDocument(document.get());

    auto kept = MakePhotoSpot(document.get(), {0, 0, 10, 10});
    AddPhoto(kept, u"/a.jpg");
    document->AddSpot(BaseOf(kept.get()).get());
    auto removed = BaseOf(MakeMapSpot(document.get(), {5, 5, 9, 9}).get());
    document->AddSpot(removed.get());
    document->PutCurrentSpot(removed.get());

    auto restore = CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
    restore->Initialize(removed.get(), 1, document.get());
    undo->AddUndoAction(restore.as<IUndoAction>().get());
    document->DeleteSpot(removed.get());
    auto create = CreateInstance<IUndoCreateAction>(CLSID_PLUndoCreateAction);
    create->Initialize(document.get(), BaseOf(kept.get()).get());
    undo->AddUndoAction(create.as<IUndoAction>().get());
    undo->Undo();  // one action on each stack

    WeakPtr<IDocument> watch(document.get());
    undo.reset();
    kept.reset();
    removed.reset();
    restore.reset();
    create.reset();
    document.reset();
    EXPECT_FALSE(watch.lock()) << "nothing inside the document keeps it alive";
}

TEST_F(Document, SpotsOutlivingTheirDocumentChangeSilently)
{
    ComPtr<IPhotoSpot> spot;
    {
        auto document = MakeDocument();
        spot = MakePhotoSpot(document.get(), {0, 0, 10, 10});
        document->AddSpot(BaseOf(spot.get()).get());
    }
    AddPhoto(spot, u"/a.jpg");
    tagRECT bounds{1, 1, 2, 2};
    EXPECT_EQ(BaseOf(spot.get())->SetBounds(&bounds), S_OK);
    EXPECT_EQ(BoundsOf(spot.get()), bounds);
}

}  // namespace
