#include "components/interfaces/class_ids.h"
#include "components/interfaces/position_action.h"
#include "components/interfaces/restore_spot_action.h"
#include "components/interfaces/undo_create_action.h"
#include "components/interfaces/undo_delete_picture_action.h"
#include "components/interfaces/undo_set_audio.h"
#include "components/interfaces/undo_set_map_action.h"
#include "components/interfaces/undo_set_map_spot_map.h"
#include "components/interfaces/undo_set_picture_action.h"
#include "components/interfaces/undo_set_story_action.h"
#include "platform/com/event_source.h"
#include "platform/com/runtime.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/document_listener.h"
#include "tests/support/document_model.h"
#include "tests/support/listened_document_test.h"
#include "tests/support/registered_components.h"

#include <functional>

using namespace com;
using namespace test_support;

namespace {

using Flags = std::vector<LONG>;
using Pictures = std::vector<std::u16string>;

// A document with a listener, and the steps every action test takes: undo, redo, and what the
// listener heard meanwhile.
class UndoActions : public ListenedDocumentTest {
protected:
    template <class Action>
    Flags undo(const ComPtr<Action>& action)
    {
        listener->clear();
        EXPECT_EQ(action.template as<IUndoAction>()->Undo(), S_OK);
        return listener->flags();
    }
    template <class Action>
    Flags redo(const ComPtr<Action>& action)
    {
        listener->clear();
        EXPECT_EQ(action.template as<IUndoAction>()->Redo(), S_OK);
        return listener->flags();
    }
    ComPtr<IPhotoSpot> photoWith(std::initializer_list<const char16_t*> pictures)
    {
        auto spot = MakePhotoSpot(document.get(), {0, 0, 10, 10});
        for (auto each : pictures) AddPhoto(spot, each);
        document->AddSpot(BaseOf(spot.get()).get());
        return spot;
    }
};

TEST_F(UndoActions, PositionAlternatesBetweenTheTwoRectangles)
{
    auto spot = BaseOf(MakeMapSpot(document.get(), {0, 0, 10, 10}).get());
    tagRECT a{0, 0, 10, 10};
    tagRECT b{50, 50, 70, 80};
    spot->SetBounds(&b);
    auto action = CreateInstance<IPositionAction>(CLSID_PLPositionAction);
    ASSERT_EQ(action->Initialize(spot.get(), &a), S_OK);

    EXPECT_EQ(undo(action), (Flags{6, 7}));
    EXPECT_EQ(BoundsOf(spot.get()), a);
    EXPECT_EQ(redo(action), (Flags{6, 7}));
    EXPECT_EQ(BoundsOf(spot.get()), b);
    undo(action);
    EXPECT_EQ(BoundsOf(spot.get()), a);
}

TEST_F(UndoActions, RestorePutsTheSameSpotBackAtItsPosition)
{
    auto first = BaseOf(MakePhotoSpot(document.get(), {}).get());
    auto second = BaseOf(MakeMapSpot(document.get(), {}).get());
    auto third = BaseOf(MakePhotoSpot(document.get(), {}).get());
    for (auto* each : {first.get(), second.get(), third.get()}) document->AddSpot(each);

    LONG index = -1;
    document->GetSpotIndex(second.get(), &index);
    auto action = CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
    ASSERT_EQ(action->Initialize(second.get(), index, document.get()), S_OK);
    document->DeleteSpot(second.get());

    EXPECT_EQ(undo(action), (Flags{kSpotCreated}));
    EXPECT_EQ(listener->notifications()[0].object, IdentityOf(second.get()));
    EXPECT_EQ(SpotsOf(document), (std::vector<ComPtr<IBaseSpot>>{first, second, third}));
    EXPECT_EQ(redo(action), (Flags{kSpotDeleted}));
    EXPECT_EQ(SpotsOf(document), (std::vector<ComPtr<IBaseSpot>>{first, third}));
}

TEST_F(UndoActions, RestoreAnnouncesNothingWhenThePositionNoLongerExists)
{
    auto spot = BaseOf(MakePhotoSpot(document.get(), {}).get());
    auto action = CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
    action->Initialize(spot.get(), 3, document.get());
    EXPECT_EQ(undo(action), Flags{});
    EXPECT_TRUE(SpotsOf(document).empty());
}

TEST_F(UndoActions, RedoingACreationAppendsTheSpotWhateverItsFormerPosition)
{
    auto created = BaseOf(MakePhotoSpot(document.get(), {}).get());
    auto other = BaseOf(MakeMapSpot(document.get(), {}).get());
    auto action = CreateInstance<IUndoCreateAction>(CLSID_PLUndoCreateAction);
    ASSERT_EQ(action->Initialize(document.get(), created.get()), S_OK);
    document->AddSpot(created.get());
    document->AddSpot(other.get());

    EXPECT_EQ(undo(action), (Flags{kSpotDeleted}));
    EXPECT_EQ(SpotsOf(document), (std::vector<ComPtr<IBaseSpot>>{other}));
    EXPECT_EQ(redo(action), (Flags{kSpotCreated}));
    EXPECT_EQ(SpotsOf(document), (std::vector<ComPtr<IBaseSpot>>{other, created}));
}

TEST_F(UndoActions, APictureAddedAtTheEndIsRemovedAndAppendedAgain)
{
    auto spot = photoWith({u"A", u"B", u"C"});
    auto action = CreateInstance<IUndoSetPictureAction>(CLSID_PLUndoSetPictureAction);
    Bstr name(u"C");
    BSTR value = name.get();
    ASSERT_EQ(action->Initialize(spot.get(), 2, &value), S_OK);

    EXPECT_EQ(undo(action), (Flags{14, 13}));
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"A", u"B"}));
    EXPECT_EQ(IndexOf(spot), 1);
    EXPECT_EQ(redo(action), (Flags{11, 14}));
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"A", u"B", u"C"}));
    EXPECT_EQ(IndexOf(spot), 2);
}

TEST_F(UndoActions, ADeletedPictureGoesBackAtItsPositionAndBecomesCurrent)
{
    auto spot = photoWith({u"A", u"B", u"C"});
    Bstr name(u"A");
    BSTR value = name.get();
    auto action = CreateInstance<IUndoDeletePictureAction>(CLSID_PLUndoDeletePictureAction);
    ASSERT_EQ(action->Initialize(spot.get(), &value, 0), S_OK);
    spot->SetIndex(0);
    spot->RemoveCurrentImage();
    spot->NextImage();

    EXPECT_EQ(undo(action), (Flags{14, 11}));
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"A", u"B", u"C"}));
    EXPECT_EQ(IndexOf(spot), 0);
    EXPECT_EQ(redo(action), (Flags{14, 13}));
    EXPECT_EQ(PicturesOf(spot), (Pictures{u"B", u"C"}));
}

// A caption belongs to its picture: wherever pictures go through the slide show's edits and their
// undo, each caption stays with its own.
TEST_F(UndoActions, CaptionsFollowTheirPicturesThroughDeleteInsertUndoAndRedo)
{
    ComPtr<IUndoManager> manager;
    ASSERT_EQ(document->GetUndoManager(manager.put()), S_OK);
    manager->SetDocument(document.get());
    auto spot = photoWith({u"A", u"B", u"C"});
    SetStory(spot.get(), {u"", u"", {u"a", u"b", u"c"}});
    const auto record = [&](auto action) { manager->AddUndoAction(action.template as<IUndoAction>().get()); };
    const auto captions = [&] { return std::make_pair(PicturesOf(spot), StoryOf(spot.get()).captions); };
    using State = std::pair<Pictures, Pictures>;

    Bstr b(u"B");
    BSTR bName = b.get();
    auto removed = CreateInstance<IUndoDeletePictureAction>(CLSID_PLUndoDeletePictureAction);
    ASSERT_EQ(removed->Initialize(spot.get(), &bName, 1), S_OK);
    record(removed);
    spot->SetIndex(1);
    spot->RemoveCurrentImage();
    const State afterDelete{{u"A", u"C"}, {u"a", u"c"}};
    EXPECT_EQ(captions(), afterDelete);

    Bstr x(u"X");
    BSTR xName = x.get();
    spot->SetIndex(1);
    spot->InsertPhoto(&xName);
    auto inserted = CreateInstance<IUndoSetPictureAction>(CLSID_PLUndoSetPictureAction);
    ASSERT_EQ(inserted->Initialize(spot.get(), 1, &xName), S_OK);
    record(inserted);
    const State afterInsert{{u"A", u"X", u"C"}, {u"a", u"", u"c"}};
    EXPECT_EQ(captions(), afterInsert);

    Bstr none(u"");
    Bstr words(u"x");
    BSTR before = none.get();
    BSTR after = words.get();
    auto captioned = CreateInstance<IUndoSetStoryAction>(CLSID_PLUndoSetStoryAction);
    ASSERT_EQ(captioned->Initialize(spot.as<ISpotStory>().get(), 1, &before, &after), S_OK);
    record(captioned);
    EXPECT_EQ(redo(captioned), (Flags{kPictureCaptionChanged}));
    const State afterCaption{{u"A", u"X", u"C"}, {u"a", u"x", u"c"}};
    EXPECT_EQ(captions(), afterCaption);

    const State original{{u"A", u"B", u"C"}, {u"a", u"b", u"c"}};
    for (const State& expected : {afterInsert, afterDelete, original}) {
        manager->Undo();
        EXPECT_EQ(captions(), expected);
    }
    for (const State& expected : {afterDelete, afterInsert, afterCaption}) {
        manager->Redo();
        EXPECT_EQ(captions(), expected);
    }
}

TEST_F(UndoActions, StoryPartsGoBackToTheirOldWordsAndOthersAreRefused)
{
    auto link = MakeMapSpot(document.get(), {0, 0, 10, 10});
    const auto story = link.as<ISpotStory>();
    Bstr oldTitle(u"Old");
    Bstr newTitle(u"New");
    BSTR before = oldTitle.get();
    BSTR after = newTitle.get();
    for (const LONG part : {LONG(kStoryTitle), LONG(kStoryText)}) {
        auto action = CreateInstance<IUndoSetStoryAction>(CLSID_PLUndoSetStoryAction);
        ASSERT_EQ(action->Initialize(story.get(), part, &before, &after), S_OK);
        EXPECT_EQ(redo(action), (Flags{kSpotStoryChanged}));
        EXPECT_EQ(undo(action), (Flags{kSpotStoryChanged}));
    }
    EXPECT_EQ(StoryOf(link.get()), (StoryWords{u"Old", u"Old", {}}));
    auto refused = CreateInstance<IUndoSetStoryAction>(CLSID_PLUndoSetStoryAction);
    EXPECT_EQ(refused->Initialize(story.get(), kStoryText - 1, &before, &after), E_INVALIDARG);
    EXPECT_EQ(refused->Initialize(nullptr, kStoryTitle, &before, &after), E_POINTER);
    EXPECT_EQ(story->SetCaption(0, after), E_INVALIDARG) << "a map spot has no picture to caption";
}

TEST_F(UndoActions, SoundAndLinkGoBackToTheirOldValuesIncludingNone)
{
    auto photo = photoWith({});
    Bstr newSound(u"/s.wav");
    BSTR none = nullptr;
    BSTR value = newSound.get();
    auto audio = CreateInstance<IUndoSetAudio>(CLSID_PLUndoSetAudio);
    ASSERT_EQ(audio->Initialize(photo.get(), &none, &value), S_OK);
    photo->SetAudioFile(&value);
    EXPECT_EQ(undo(audio), (Flags{kAudioChanged}));
    EXPECT_EQ(AudioOf(photo), std::nullopt);
    EXPECT_EQ(redo(audio), (Flags{kAudioChanged}));
    EXPECT_EQ(AudioOf(photo), u"/s.wav");

    auto map = MakeMapSpot(document.get(), {});
    Bstr oldLink(u"/old.plm");
    Bstr newLink(u"/new.plm");
    BSTR oldValue = oldLink.get();
    BSTR newValue = newLink.get();
    auto link = CreateInstance<IUndoSetMapSpotMap>(CLSID_PLUndoSetMapSpotMap);
    ASSERT_EQ(link->Initialize(map.get(), &oldValue, &newValue), S_OK);
    oldLink = Bstr(u"changed by the caller");
    EXPECT_EQ(undo(link), (Flags{kSpotLinkChanged}));
    EXPECT_EQ(LinkOf(map), u"/old.plm");
    EXPECT_EQ(redo(link), (Flags{kSpotLinkChanged}));
    EXPECT_EQ(LinkOf(map), u"/new.plm");
}

TEST_F(UndoActions, UndoingTheMapPictureLeavesAnEmptyName)
{
    Bstr name(u"/maps/world.jpg");
    BSTR value = name.get();
    auto action = CreateInstance<IUndoSetMapAction>(CLSID_PLUndoSetMapAction);
    ASSERT_EQ(action->Initialize(document.get(), &value), S_OK);
    document->SetMapFile(value);

    EXPECT_EQ(undo(action), (Flags{kMapFileChanged}));
    EXPECT_EQ(MapFileOf(document), u"");
    EXPECT_EQ(redo(action), (Flags{kMapFileChanged}));
    EXPECT_EQ(MapFileOf(document), u"/maps/world.jpg");
}

TEST_F(UndoActions, RefuseNullArgumentsAndDoNothingBeforeInitialize)
{
    BSTR none = nullptr;
    tagRECT bounds{};
    auto spot = BaseOf(MakePhotoSpot(document.get(), {}).get());
    auto photo = spot.as<IPhotoSpot>();

    auto position = CreateInstance<IPositionAction>(CLSID_PLPositionAction);
    EXPECT_EQ(position->Initialize(nullptr, &bounds), E_POINTER);
    EXPECT_EQ(position->Initialize(spot.get(), nullptr), E_POINTER);
    auto restore = CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
    EXPECT_EQ(restore->Initialize(spot.get(), 0, nullptr), E_POINTER);
    auto create = CreateInstance<IUndoCreateAction>(CLSID_PLUndoCreateAction);
    EXPECT_EQ(create->Initialize(document.get(), nullptr), E_POINTER);
    auto picture = CreateInstance<IUndoSetPictureAction>(CLSID_PLUndoSetPictureAction);
    EXPECT_EQ(picture->Initialize(photo.get(), 0, nullptr), E_POINTER);
    auto deleted = CreateInstance<IUndoDeletePictureAction>(CLSID_PLUndoDeletePictureAction);
    EXPECT_EQ(deleted->Initialize(nullptr, &none, 0), E_POINTER);
    auto audio = CreateInstance<IUndoSetAudio>(CLSID_PLUndoSetAudio);
    EXPECT_EQ(audio->Initialize(photo.get(), &none, nullptr), E_POINTER);
    auto link = CreateInstance<IUndoSetMapSpotMap>(CLSID_PLUndoSetMapSpotMap);
    EXPECT_EQ(link->Initialize(nullptr, &none, &none), E_POINTER);
    auto map = CreateInstance<IUndoSetMapAction>(CLSID_PLUndoSetMapAction);
    EXPECT_EQ(map->Initialize(document.get(), nullptr), E_POINTER);

    EXPECT_EQ(undo(position), Flags{});
    EXPECT_EQ(redo(restore), Flags{});
    EXPECT_EQ(undo(create), Flags{});
    EXPECT_EQ(redo(picture), Flags{});
    EXPECT_EQ(undo(deleted), Flags{});
    EXPECT_EQ(undo(audio), Flags{});
    EXPECT_EQ(redo(link), Flags{});
    EXPECT_EQ(undo(map), Flags{});
}

TEST_F(UndoActions, NeverKeepTheirDocumentAlive)
{
    auto other = MakeDocument();
    auto spot = BaseOf(MakePhotoSpot(other.get(), {}).get());
    other->AddSpot(spot.get());
    auto action = CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
    action->Initialize(spot.get(), 0, other.get());
    Bstr name(u"/m.jpg");
    BSTR value = name.get();
    auto map = CreateInstance<IUndoSetMapAction>(CLSID_PLUndoSetMapAction);
    map->Initialize(other.get(), &value);

    WeakPtr<IDocument> watch(other.get());
    other.reset();
    EXPECT_FALSE(watch.lock());
    EXPECT_EQ(action.as<IUndoAction>()->Undo(), S_OK) << "the document is gone: nothing to do";
    EXPECT_EQ(map.as<IUndoAction>()->Redo(), S_OK);
}

struct ActionClass {
    const char16_t* progId;
    const CLSID* classId;
    const IID* ownInterface;
};

TEST_F(UndoActions, EveryActionIsCreatableByProgrammaticIdentifierAndDispatchesItsOperations)
{
    const ActionClass classes[] = {
        {u"Components.PLPositionAction", &CLSID_PLPositionAction, &IID_IPositionAction},
        {u"Components.RestoreSpotAction", &CLSID_PLRestoreSpotAction, &IID_IRestoreSpotAction},
        {u"Components.UndoCreateAction", &CLSID_PLUndoCreateAction, &IID_IUndoCreateAction},
        {u"Components.UndoSetPictureAction", &CLSID_PLUndoSetPictureAction, &IID_IUndoSetPictureAction},
        {u"Components.UndoDeletePictureAction", &CLSID_PLUndoDeletePictureAction, &IID_IUndoDeletePictureAction},
        {u"Components.UndoSetAudio", &CLSID_PLUndoSetAudio, &IID_IUndoSetAudio},
        {u"Components.UndoSetMapSpotMap", &CLSID_PLUndoSetMapSpotMap, &IID_IUndoSetMapSpotMap},
        {u"Components.UndoSetMapAction", &CLSID_PLUndoSetMapAction, &IID_IUndoSetMapAction},
    };
    for (const ActionClass& each : classes) {
        SCOPED_TRACE(Utf16ToUtf8(each.progId));
        for (const std::u16string& progId : {std::u16string(each.progId), std::u16string(each.progId) + u".1"}) {
            CLSID classId{};
            ASSERT_EQ(CLSIDFromProgID(progId, &classId), S_OK);
            EXPECT_EQ(classId, *each.classId);
        }
        auto action = CreateInstance<IDispatch>(*each.classId);
        ComPtr<IDispatch> own;
        ASSERT_EQ(action->QueryInterface(*each.ownInterface, own.putVoid()), S_OK);
        EXPECT_EQ(own, action) << "the action's own interface is its default one";
        ExpectDispatchIds(own.get(), {{u"Initialize", 1}});
        ExpectDispatchIds(AsDispatch(action.as<IUndoAction>()), {{u"Undo", 1}, {u"Redo", 2}});
    }
}

TEST_F(UndoActions, InitializeUndoAndRedoWorkThroughInvoke)
{
    auto photo = photoWith({u"A"});
    auto spot = BaseOf(photo.get());
    auto map = MakeMapSpot(document.get(), {});
    tagRECT bounds{1, 1, 2, 2};
    Bstr name(u"/x");

    const std::pair<CLSID, std::function<Variant(IDispatch*)>> cases[] = {
        {CLSID_PLPositionAction, [&](IDispatch* d) { return Call(d, 1, spot.get(), &bounds); }},
        {CLSID_PLRestoreSpotAction, [&](IDispatch* d) { return Call(d, 1, spot.get(), 0, document.get()); }},
        {CLSID_PLUndoCreateAction, [&](IDispatch* d) { return Call(d, 1, document.get(), spot.get()); }},
        {CLSID_PLUndoSetPictureAction, [&](IDispatch* d) { return Call(d, 1, photo.get(), 1, name.get()); }},
        {CLSID_PLUndoDeletePictureAction, [&](IDispatch* d) { return Call(d, 1, photo.get(), name.get(), 1); }},
        {CLSID_PLUndoSetAudio, [&](IDispatch* d) { return Call(d, 1, photo.get(), name.get(), name.get()); }},
        {CLSID_PLUndoSetMapSpotMap, [&](IDispatch* d) { return Call(d, 1, map.get(), name.get(), name.get()); }},
        {CLSID_PLUndoSetMapAction, [&](IDispatch* d) { return Call(d, 1, document.get(), name.get()); }},
    };
    const Flags expected[] = {{6, 7, 6, 7}, {4, 5}, {4, 5}, {11, 14, 14, 13}, {11, 14, 14, 13}, {12, 12}, {10, 10}, {3, 3}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        auto action = CreateInstance<IDispatch>(cases[i].first);
        cases[i].second(action.get());
        IDispatch* play = AsDispatch(action.as<IUndoAction>());
        listener->clear();
        // Each edit is undone from the state it left: redo first where the model starts undone.
        const bool redoFirst = i == 1 || i == 3;
        Call(play, redoFirst ? 2 : 1);
        Call(play, redoFirst ? 1 : 2);
        EXPECT_EQ(listener->flags(), expected[i]);
    }
}

}  // namespace
