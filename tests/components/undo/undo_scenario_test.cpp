#include "components/interfaces/class_ids.h"
#include "components/interfaces/position_action.h"
#include "components/interfaces/restore_spot_action.h"
#include "components/interfaces/undo_create_action.h"
#include "components/interfaces/undo_delete_picture_action.h"
#include "components/interfaces/undo_set_audio.h"
#include "components/interfaces/undo_set_map_action.h"
#include "components/interfaces/undo_set_map_spot_map.h"
#include "components/interfaces/undo_set_picture_action.h"
#include "platform/com/runtime.h"
#include "tests/support/document_model.h"
#include "tests/support/registered_components.h"

#include <random>
#include <string>

using namespace com;
using namespace test_support;

namespace {

// What undo must bring back: the model as a user sees it. The current picture index is left out on
// purpose: undo and redo make the picture they touch current, as the slide show expects.
struct SpotState {
    bool photo;
    tagRECT bounds;
    std::vector<std::u16string> pictures;
    std::optional<std::u16string> audio;
    std::optional<std::u16string> link;
    friend bool operator==(const SpotState&, const SpotState&) = default;
};

struct Snapshot {
    std::u16string mapFile;
    std::vector<SpotState> spots;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Take(const ComPtr<IDocument>& document)
{
    Snapshot snapshot{MapFileOf(document), {}};
    for (const ComPtr<IBaseSpot>& spot : SpotsOf(document)) {
        SpotState state{false, BoundsOf(spot.get()), {}, std::nullopt, std::nullopt};
        if (auto photo = spot.tryAs<IPhotoSpot>()) {
            state.photo = true;
            state.pictures = PicturesOf(photo);
            state.audio = AudioOf(photo);
        } else {
            state.link = LinkOf(spot.as<IMapSpot>());
        }
        snapshot.spots.push_back(std::move(state));
    }
    return snapshot;
}

// Makes random edits on a document the way the editing components do: each records its action in
// the document's undo manager, then changes the model.
class Editor {
public:
    Editor(ComPtr<IDocument> document, unsigned seed) : document_(std::move(document)), random_(seed)
    {
        ThrowIfFailed(document_->GetUndoManager(undo_.put()));
        ThrowIfFailed(undo_->SetDocument(document_.get()));
    }

    // One user step: a single edit or a group of up to three between markers.
    void step()
    {
        const bool group = pick(3) == 0;
        if (!group) {
            edit();
            return;
        }
        record(CreateInstance<IUndoAction>(CLSID_PLMultiUndoTagAction));
        for (int edits = 1 + pick(3); edits > 0; --edits) edit();
        record(CreateInstance<IUndoAction>(CLSID_PLMultiUndoTagAction));
    }

    const ComPtr<IUndoManager>& undo() const { return undo_; }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    std::u16string name(const char16_t* kind) { return kind + Utf8ToUtf16(std::to_string(pick(1000))); }
    tagRECT rectangle()
    {
        const LONG left = pick(500), top = pick(500);
        return {left, top, left + 1 + pick(80), top + 1 + pick(80)};
    }
    template <class Action>
    void record(const ComPtr<Action>& action)
    {
        ThrowIfFailed(undo_->AddUndoAction(action.template as<IUndoAction>().get()));
    }

    std::vector<ComPtr<IBaseSpot>> spots() { return SpotsOf(document_); }
    template <class Kind>
    std::vector<ComPtr<Kind>> spotsOfKind()
    {
        std::vector<ComPtr<Kind>> found;
        for (const auto& spot : spots())
            if (auto kind = spot.tryAs<Kind>()) found.push_back(kind);
        return found;
    }

    void edit()
    {
        // Edits that do not apply to the model as it is fall through to creating a spot.
        switch (pick(8)) {
        case 0: if (move()) return; break;
        case 1: if (remove()) return; break;
        case 2: if (addPicture()) return; break;
        case 3: if (removePicture()) return; break;
        case 4: if (setSound()) return; break;
        case 5: if (setLink()) return; break;
        case 6: if (setMapPicture()) return; break;
        default: break;
        }
        create();
    }

    void create()
    {
        const bool photo = pick(2) == 0;
        auto spot = CreateInstance<IBaseSpot>(photo ? CLSID_PLPhotoSpot : CLSID_PLMapSpot);
        auto action = CreateInstance<IUndoCreateAction>(CLSID_PLUndoCreateAction);
        ThrowIfFailed(action->Initialize(document_.get(), spot.get()));
        record(action);
        tagRECT bounds = rectangle();
        Bstr file(name(photo ? u"/pictures/" : u"/maps/"));
        BSTR value = file.get();
        if (photo) {
            ThrowIfFailed(spot.as<IPhotoSpot>()->InitSpot(&bounds, document_.get()));
            ThrowIfFailed(document_->AddSpot(spot.get()));
            ThrowIfFailed(spot.as<IPhotoSpot>()->AddPhoto(&value));
        } else {
            ThrowIfFailed(spot.as<IMapSpot>()->InitSpot(&bounds, document_.get()));
            ThrowIfFailed(document_->AddSpot(spot.get()));
            ThrowIfFailed(spot.as<IMapSpot>()->SetFileName(&value));
        }
    }

    bool move()
    {
        auto all = spots();
        if (all.empty()) return false;
        auto spot = all[pick(static_cast<int>(all.size()))];
        tagRECT before = BoundsOf(spot.get());
        auto action = CreateInstance<IPositionAction>(CLSID_PLPositionAction);
        ThrowIfFailed(action->Initialize(spot.get(), &before));
        record(action);
        tagRECT after = rectangle();
        ThrowIfFailed(spot->SetBounds(&after));
        return true;
    }

    bool remove()
    {
        auto all = spots();
        if (all.empty()) return false;
        auto spot = all[pick(static_cast<int>(all.size()))];
        LONG index = 0;
        ThrowIfFailed(document_->GetSpotIndex(spot.get(), &index));
        auto action = CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
        ThrowIfFailed(action->Initialize(spot.get(), index, document_.get()));
        record(action);
        ThrowIfFailed(document_->DeleteSpot(spot.get()));
        return true;
    }

    bool addPicture()
    {
        auto photos = spotsOfKind<IPhotoSpot>();
        if (photos.empty()) return false;
        auto spot = photos[pick(static_cast<int>(photos.size()))];
        Bstr file(name(u"/pictures/"));
        BSTR value = file.get();
        ThrowIfFailed(spot->AddPhoto(&value));
        LONG pictures = 0;
        ThrowIfFailed(spot->NumImages(&pictures));
        auto action = CreateInstance<IUndoSetPictureAction>(CLSID_PLUndoSetPictureAction);
        ThrowIfFailed(action->Initialize(spot.get(), pictures - 1, &value));
        record(action);
        return true;
    }

    bool removePicture()
    {
        for (const auto& spot : spotsOfKind<IPhotoSpot>()) {
            LONG pictures = 0, index = 0;
            ThrowIfFailed(spot->NumImages(&pictures));
            ThrowIfFailed(spot->GetIndex(&index));
            if (index < 0 || index >= pictures) continue;
            Bstr current;
            ThrowIfFailed(spot->CurrentImage(current.put()));
            auto action = CreateInstance<IUndoDeletePictureAction>(CLSID_PLUndoDeletePictureAction);
            BSTR value = current.get();
            ThrowIfFailed(action->Initialize(spot.get(), &value, index));
            record(action);
            ThrowIfFailed(spot->RemoveCurrentImage());
            ThrowIfFailed(spot->NextImage());
            return true;
        }
        return false;
    }

    bool setSound()
    {
        auto photos = spotsOfKind<IPhotoSpot>();
        if (photos.empty()) return false;
        auto spot = photos[pick(static_cast<int>(photos.size()))];
        Bstr before;
        ThrowIfFailed(spot->GetAudioFile(before.put()));
        Bstr after = pick(4) == 0 ? Bstr() : Bstr(name(u"/sounds/"));
        BSTR oldValue = before.get();
        BSTR newValue = after.get();
        auto action = CreateInstance<IUndoSetAudio>(CLSID_PLUndoSetAudio);
        ThrowIfFailed(action->Initialize(spot.get(), &oldValue, &newValue));
        record(action);
        ThrowIfFailed(spot->SetAudioFile(&newValue));
        return true;
    }

    bool setLink()
    {
        auto maps = spotsOfKind<IMapSpot>();
        if (maps.empty()) return false;
        auto spot = maps[pick(static_cast<int>(maps.size()))];
        Bstr before;
        ThrowIfFailed(spot->GetFileName(before.put()));
        Bstr after(name(u"/maps/"));
        BSTR oldValue = before.get();
        BSTR newValue = after.get();
        auto action = CreateInstance<IUndoSetMapSpotMap>(CLSID_PLUndoSetMapSpotMap);
        ThrowIfFailed(action->Initialize(spot.get(), &oldValue, &newValue));
        record(action);
        ThrowIfFailed(spot->SetFileName(&newValue));
        return true;
    }

    bool setMapPicture()
    {
        if (!MapFileOf(document_).empty()) return false;
        Bstr file(name(u"/maps/picture"));
        BSTR value = file.get();
        auto action = CreateInstance<IUndoSetMapAction>(CLSID_PLUndoSetMapAction);
        ThrowIfFailed(action->Initialize(document_.get(), &value));
        record(action);
        ThrowIfFailed(document_->SetMapFile(value));
        return true;
    }

    ComPtr<IDocument> document_;
    ComPtr<IUndoManager> undo_;
    std::mt19937 random_;
};

bool Available(const ComPtr<IUndoManager>& undo, HRESULT (IUndoManager::*query)(VARIANT_BOOL*))
{
    VARIANT_BOOL available = VARIANT_FALSE;
    ThrowIfFailed((undo.get()->*query)(&available));
    return available == VARIANT_TRUE;
}

class UndoScenario : public ComponentTest {};

TEST_F(UndoScenario, UndoingAndRedoingEveryStepWalksBackAndForthThroughTheSameStates)
{
    constexpr unsigned kSequences = 300;
    constexpr int kSteps = 14;
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto document = MakeDocument();
        Editor editor(document, seed);
        std::vector<Snapshot> states{Take(document)};
        for (int step = 0; step < kSteps; ++step) {
            editor.step();
            states.push_back(Take(document));
        }

        for (std::size_t k = states.size() - 1; k > 0; --k) {
            ThrowIfFailed(editor.undo()->Undo());
            ASSERT_EQ(Take(document), states[k - 1]) << "after undoing step " << k;
        }
        EXPECT_FALSE(Available(editor.undo(), &IUndoManager::UndoAvailable));

        for (std::size_t k = 1; k < states.size(); ++k) {
            ThrowIfFailed(editor.undo()->Redo());
            ASSERT_EQ(Take(document), states[k]) << "after redoing step " << k;
        }
        EXPECT_FALSE(Available(editor.undo(), &IUndoManager::RedoAvailable));
    }
}

}  // namespace
