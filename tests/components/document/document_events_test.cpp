#include "components/interfaces/document.h"
#include "platform/com/event_source.h"
#include "tests/support/document_listener.h"
#include "tests/support/document_model.h"
#include "tests/support/listened_document_test.h"
#include "tests/support/registered_components.h"

#include <string>

using namespace com;
using namespace test_support;

namespace {

using Notifications = std::vector<DocumentListener::Notification>;

// A document with a listener connected through its connection point.
class DocumentEvents : public ListenedDocumentTest {
protected:
    const IUnknown* self() { return IdentityOf(document.get()); }
};

TEST_F(DocumentEvents, DocumentOperationsAnnounceThemselves)
{
    Bstr path(u"/maps/a.jpg");
    document->SetMapFile(path.get());
    document->SendOpenNotification();
    document->ChangeNotification(document.get(), 42);
    EXPECT_EQ(listener->notifications(), (Notifications{{self(), 3}, {self(), 2}, {document.get(), 42}}))
        << "ChangeNotification passes its arguments on unchanged";
}

TEST_F(DocumentEvents, SpotsAnnounceCreationOnlyThenEachChange)
{
    auto photo = MakePhotoSpot(document.get(), {0, 0, 10, 10});
    auto spot = BaseOf(photo.get());
    const IUnknown* id = IdentityOf(photo.get());
    EXPECT_EQ(listener->notifications(), (Notifications{{id, kSpotCreated}})) << "InitSpot sends only 5";
    listener->clear();

    tagRECT bounds{1, 2, 3, 4};
    spot->SetBounds(&bounds);
    spot->SetSelected(VARIANT_TRUE);
    spot->SetVisited(VARIANT_TRUE);
    AddPhoto(photo, u"/a.jpg");
    Bstr name(u"/b.jpg");
    BSTR value = name.get();
    photo->InsertPhoto(&value);
    photo->SetAudioFile(&value);
    photo->NextImage();
    photo->PreviousImage();
    photo->SetIndex(0);
    photo->RemoveCurrentImage();
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{6, 7, 8, 9, 11, 11, 12, 14, 14, 14, 13}));
    for (const auto& each : listener->notifications()) EXPECT_EQ(each.object, id);

    listener->clear();
    auto map = MakeMapSpot(document.get(), {0, 0, 5, 5});
    map->SetFileName(&value);
    map->SetFileName(&value);
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{5, 10, 10})) << "10 also when the link did not change";
}

TEST_F(DocumentEvents, MoveAnnouncesTheOldBoundsThenTheNew)
{
    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    std::vector<tagRECT> seen;
    listener->onChange = [&](IUnknown* changed, LONG) { seen.push_back(BoundsOf(changed)); };
    listener->clear();
    tagRECT bounds{20, 20, 40, 40};
    spot->SetBounds(&bounds);
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{6, 7}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (tagRECT{0, 0, 10, 10}));
    EXPECT_EQ(seen[1], bounds);
}

TEST_F(DocumentEvents, SelectionChangeAnnouncesTheOldSpotThenTheNew)
{
    auto a = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    auto b = BaseOf(MakeMapSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(a.get());
    document->AddSpot(b.get());
    document->PutCurrentSpot(a.get());
    listener->clear();

    document->PutCurrentSpot(b.get());
    EXPECT_EQ(listener->notifications(), (Notifications{{IdentityOf(a.get()), 8}, {IdentityOf(b.get()), 8}}));

    listener->clear();
    document->PutCurrentSpot(b.get());
    EXPECT_EQ(listener->notifications(), (Notifications{{IdentityOf(b.get()), 8}, {IdentityOf(b.get()), 8}}))
        << "the current spot again is deselected and selected again";
}

TEST_F(DocumentEvents, DeleteAnnouncesTheRemovedSpotEvenWhenTheListHeldItsLastReference)
{
    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(spot.get());
    const IUnknown* id = IdentityOf(spot.get());
    IBaseSpot* raw = spot.get();
    spot.reset();
    listener->clear();
    bool spotAlive = false;
    listener->onChange = [&](IUnknown* changed, LONG) {
        VARIANT_BOOL selected = VARIANT_TRUE;
        spotAlive = BaseOf(changed)->GetSelected(&selected) == S_OK;
    };
    ASSERT_EQ(document->DeleteSpot(raw), S_OK);
    EXPECT_EQ(listener->notifications(), (Notifications{{id, kSpotDeleted}}));
    EXPECT_TRUE(spotAlive);
}

TEST_F(DocumentEvents, DeletingASpotThatIsNotInTheListStillAnnouncesIt)
{
    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    listener->clear();
    ASSERT_EQ(document->DeleteSpot(spot.get()), S_OK);
    EXPECT_EQ(listener->notifications(), (Notifications{{IdentityOf(spot.get()), kSpotDeleted}}));
}

TEST_F(DocumentEvents, EmptyAnnouncesOnceAfterEverythingIsClearedAndOnlyThenIsClean)
{
    auto spot = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    document->AddSpot(spot.get());
    document->PutCurrentSpot(spot.get());
    Bstr path(u"/maps/a.jpg");
    document->SetMapFile(path.get());
    VARIANT_BOOL dirty = VARIANT_TRUE;
    document->SetDirty(&dirty);
    listener->clear();

    LONG spotsSeen = -1;
    std::u16string mapSeen = u"unset";
    bool currentSeen = true;
    LONG dirtySeen = -1;
    listener->onChange = [&](IUnknown*, LONG) {
        document->GetNumSpots(&spotsSeen);
        mapSeen = MapFileOf(document);
        ComPtr<IBaseSpot> current;
        document->GetCurrentSpot(current.put());
        currentSeen = static_cast<bool>(current);
        document->IsDirty(&dirtySeen);
    };
    document->Empty();
    EXPECT_EQ(listener->notifications(), (Notifications{{self(), kDocumentEmptied}}));
    EXPECT_EQ(spotsSeen, 0);
    EXPECT_EQ(mapSeen, u"");
    EXPECT_FALSE(currentSeen);
    EXPECT_EQ(dirtySeen, 1) << "still dirty while listeners hear of it";
    LONG dirtyAfter = -1;
    document->IsDirty(&dirtyAfter);
    EXPECT_EQ(dirtyAfter, 0);
}

TEST_F(DocumentEvents, ListenersAreCalledInConnectionOrderUntilOneFails)
{
    auto second = Make<DocumentListener>();
    auto third = Make<DocumentListener>();
    EventConnection<_IDocumentEvents> secondConnection(document.get(), second->identity());
    EventConnection<_IDocumentEvents> thirdConnection(document.get(), third->identity());
    std::string order;
    listener->onChange = [&](IUnknown*, LONG) { order += '1'; };
    second->onChange = [&](IUnknown*, LONG) { order += '2'; };
    third->onChange = [&](IUnknown*, LONG) { order += '3'; };

    document->SendOpenNotification();
    EXPECT_EQ(order, "123");

    order.clear();
    second->answer(E_FAIL);
    EXPECT_EQ(document->ChangeNotification(document.get(), kDocumentOpened), S_OK) << "the sender is not told";
    EXPECT_EQ(order, "12") << "the broadcast stops at the failing listener";

    order.clear();
    secondConnection.disconnect();
    document->SendOpenNotification();
    EXPECT_EQ(order, "13") << "an empty slot is skipped";
}

TEST_F(DocumentEvents, PreviewSpotChangesReachTheListenersLikeAnyOther)
{
    ComPtr<IBaseSpot> preview;
    document->GetPreviewSpot(preview.put());
    auto photo = preview.as<IPhotoSpot>();
    AddPhoto(photo, u"/chosen.jpg");
    document->PutCurrentSpot(preview.get());
    EXPECT_EQ(listener->notifications(), (Notifications{{IdentityOf(preview.get()), 11}, {IdentityOf(preview.get()), 8}}));
}

// A listener that looks at the raw dispatch call rather than at the decoded arguments.
class RawListener final : public Implements<RawListener, _IDocumentEvents> {
public:
    HRESULT DocumentChanged(IUnknown*, LONG) noexcept override { return S_OK; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) noexcept override
    {
        calls.push_back({id, flags, params->cArgs, params->cArgs == 2 ? params->rgvarg[0].vt : VARTYPE(0),
                         params->cArgs == 2 ? params->rgvarg[1].vt : VARTYPE(0),
                         params->cArgs == 2 ? params->rgvarg[0].lVal : 0});
        return S_OK;
    }
    struct Call {
        DISPID id;
        WORD flags;
        UINT count;
        VARTYPE last;   // changeFlags, given last
        VARTYPE first;  // pUnknown
        LONG flag;
    };
    std::vector<Call> calls;
};

TEST_F(DocumentEvents, ReachesListenersAsAMethodCallWithAnObjectAndAFourByteInteger)
{
    auto raw = Make<RawListener>();
    EventConnection<_IDocumentEvents> rawConnection(document.get(), raw->identity());
    document->SendOpenNotification();
    ASSERT_EQ(raw->calls.size(), 1u);
    const auto& call = raw->calls[0];
    EXPECT_EQ(call.id, 1);
    EXPECT_EQ(call.flags, DISPATCH_METHOD);
    EXPECT_EQ(call.count, 2u);
    EXPECT_EQ(call.last, VT_I4);
    EXPECT_EQ(call.first, VT_UNKNOWN);
    EXPECT_EQ(call.flag, kDocumentOpened);
}

}  // namespace
