#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/document_listener.h"
#include "tests/support/document_model.h"
#include "platform/com/event_source.h"
#include "platform/com/runtime.h"
#include "tests/support/registered_components.h"

using namespace com;
using namespace test_support;

namespace {

class DocumentDispatch : public ComponentTest {};

TEST_F(DocumentDispatch, PublishesEveryOperationUnderItsDispatchId)
{
    auto document = MakeDocument();
    ExpectDispatchIds(AsDispatch(document),
                      {{u"SetMapFile", 1}, {u"GetMapFile", 2}, {u"AddSpot", 3}, {u"SpotAtPoint", 4},
                       {u"GetCurrentSpot", 5}, {u"PutCurrentSpot", 6}, {u"FirstSpot", 7}, {u"NextSpot", 8},
                       {u"ChangeNotification", 9}, {u"DeleteSpot", 10}, {u"Empty", 11}, {u"IsDirty", 12},
                       {u"GetPreviewSpot", 13}, {u"SetDirty", 14}, {u"GetNumSpots", 15}, {u"SpotAtIndex", 16},
                       {u"GetUndoManager", 20}, {u"SendOpenNotification", 21}, {u"InsertSpot", 22},
                       {u"GetSpotIndex", 23}});
    for (DISPID unassigned : {17, 18, 19}) {
        Variant result;
        EXPECT_EQ(InvokeMethod(AsDispatch(document), unassigned, &result), DISP_E_MEMBERNOTFOUND);
    }

    auto photo = MakePhotoSpot(nullptr, {});
    ExpectDispatchIds(AsDispatch(photo),
                      {{u"InitSpot", 1}, {u"AddPhoto", 2}, {u"CurrentImage", 3}, {u"NextImage", 4},
                       {u"RemoveCurrentImage", 5}, {u"InsertPhoto", 6}, {u"NumImages", 7}, {u"PreviousImage", 8},
                       {u"SetAudioFile", 9}, {u"GetAudioFile", 10}, {u"GetIndex", 11}, {u"SetIndex", 12}});
    ExpectDispatchIds(AsDispatch(MakeMapSpot(nullptr, {})),
                      {{u"InitSpot", 1}, {u"SetFileName", 2}, {u"GetFileName", 3}});
    ExpectDispatchIds(AsDispatch(BaseOf(photo.get())),
                      {{u"PointInSpot", 1}, {u"GetSelected", 2}, {u"SetSelected", 3}, {u"GetBounds", 4},
                       {u"SetBounds", 5}, {u"WasVisited", 6}, {u"SetVisited", 7}, {u"SetDocument", 8}});
    ExpectDispatchIds(AsDispatch(Make<DocumentListener>()), {{u"DocumentChanged", 1}});
}

TEST_F(DocumentDispatch, EveryDocumentOperationWorksThroughInvoke)
{
    auto document = MakeDocument();
    IDispatch* call = AsDispatch(document);
    auto a = BaseOf(MakePhotoSpot(document.get(), {0, 0, 10, 10}).get());
    auto b = BaseOf(MakeMapSpot(document.get(), {5, 5, 20, 20}).get());
    auto listener = Make<DocumentListener>();
    EventConnection<_IDocumentEvents> connection(document.get(), listener->identity());

    Call(call, 1, Bstr(u"/maps/a.jpg").get());
    EXPECT_EQ(CallForString(call, 2).view(), u"/maps/a.jpg");
    Call(call, 3, a.get());
    Call(call, 22, b.get(), 0);
    EXPECT_EQ(Call(call, 15).lVal, 2);
    EXPECT_TRUE(SameObject(Call(call, 16, 1).pdispVal, a.get()));
    EXPECT_EQ(InvokeMethod(call, 16, nullptr, 2), E_INVALIDARG);
    EXPECT_EQ(Call(call, 23, a.get()).lVal, 1);

    tagPOINT point{7, 7};
    EXPECT_TRUE(SameObject(Call(call, 4, &point).pdispVal, a.get()));
    Call(call, 6, b.get());
    EXPECT_TRUE(SameObject(Call(call, 5).pdispVal, b.get()));
    EXPECT_TRUE(SameObject(Call(call, 7).pdispVal, b.get()));
    EXPECT_TRUE(SameObject(Call(call, 8).pdispVal, a.get()));
    EXPECT_EQ(Call(call, 8).pdispVal, nullptr);

    Call(call, 14, VARIANT_TRUE);
    EXPECT_EQ(Call(call, 12).lVal, 1);
    EXPECT_TRUE(Call(call, 13).pdispVal);
    EXPECT_TRUE(ComPtr<IUnknown>(Call(call, 20).pdispVal).tryAs<IUndoManager>());

    listener->clear();
    Call(call, 9, document.get(), 42);
    Call(call, 21);
    Call(call, 10, a.get());
    Call(call, 11);
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{42, 2, 4, 1}));
    EXPECT_EQ(Call(call, 15).lVal, 0);
}

TEST_F(DocumentDispatch, EverySpotOperationWorksThroughInvoke)
{
    auto document = MakeDocument();
    auto listener = Make<DocumentListener>();
    EventConnection<_IDocumentEvents> connection(document.get(), listener->identity());

    auto photo = CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    IDispatch* call = AsDispatch(photo);
    tagRECT bounds{0, 0, 10, 10};
    Call(call, 1, &bounds, static_cast<IUnknown*>(document.get()));
    Call(call, 2, Bstr(u"A").get());
    Call(call, 6, Bstr(u"B").get());
    EXPECT_EQ(Call(call, 7).lVal, 2);
    EXPECT_EQ(View(Call(call, 3).bstrVal), u"B");
    Call(call, 4);
    EXPECT_EQ(Call(call, 11).lVal, 1);
    Call(call, 8);
    Call(call, 12, 1);
    Call(call, 5);
    Call(call, 9, Bstr(u"/s.wav").get());
    EXPECT_EQ(View(Call(call, 10).bstrVal), u"/s.wav");
    EXPECT_EQ(PicturesOf(photo), (std::vector<std::u16string>{u"B"}));
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{5, 11, 11, 14, 14, 14, 13, 12, 14, 14}));

    IDispatch* base = AsDispatch(BaseOf(photo.get()));
    EXPECT_EQ(Call(base, 1, 3, 3).boolVal, VARIANT_TRUE);
    Call(base, 3, VARIANT_TRUE);
    EXPECT_EQ(Call(base, 2).boolVal, VARIANT_TRUE);
    tagRECT moved{1, 2, 3, 4};
    Call(base, 5, &moved);
    const Variant got = Call(base, 4);
    ASSERT_EQ(got.vt, VT_RECORD);
    EXPECT_EQ(*static_cast<tagRECT*>(got.record.pvRecord), moved);
    Call(base, 7, VARIANT_TRUE);
    EXPECT_EQ(Call(base, 6).boolVal, VARIANT_TRUE);
    listener->clear();
    Call(base, 8, static_cast<IUnknown*>(nullptr));
    Call(base, 7, VARIANT_FALSE);
    EXPECT_TRUE(listener->flags().empty()) << "SetDocument(null) leaves the spot without a document";

    auto map = CreateInstance<IMapSpot>(CLSID_PLMapSpot);
    IDispatch* mapCall = AsDispatch(map);
    Call(mapCall, 1, &bounds, static_cast<IUnknown*>(document.get()));
    Call(mapCall, 2, Bstr(u"/maps/city.plm").get());
    EXPECT_EQ(CallForString(mapCall, 3).view(), u"/maps/city.plm");
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{5, 10}));
}

}  // namespace
