#include "app/shell/spot_story.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/undo_manager.h"
#include "components/interfaces/undo_set_story_action.h"
#include "platform/com/runtime.h"
#include "platform/ui/qt_strings.h"


namespace shell {

namespace {

QString textOf(const com::Bstr& words)
{
    return ui::ToQString(words.view());
}

// The spot's pictures in list order, whatever its current one: stepping from the current index
// round the list and back leaves the index where it was, as SetIndex puts it back.
std::vector<SpotStory::Picture> picturesOf(IPhotoSpot& spot, ISpotStory& story)
{
    com::LONG count = 0;
    com::LONG current = 0;
    spot.NumImages(&count);
    spot.GetIndex(&current);
    std::vector<SpotStory::Picture> pictures;
    for (com::LONG i = 0; i < count; ++i) {
        spot.SetIndex(i);
        com::Bstr path;
        com::Bstr caption;
        spot.CurrentImage(path.put());
        story.GetCaption(i, caption.put());
        pictures.push_back({textOf(path), textOf(caption)});
    }
    spot.SetIndex(current);
    return pictures;
}

void addMarker(IUndoManager& undo)
{
    com::ComPtr<IUndoAction> marker;
    if (com::SUCCEEDED(com::CreateInstance(CLSID_PLMultiUndoTagAction, marker))) undo.AddUndoAction(marker.get());
}

}  // namespace

SpotStory SpotStory::Read(IBaseSpot& spot)
{
    SpotStory read;
    const auto story = com::ComPtr<IBaseSpot>(&spot).tryAs<ISpotStory>();
    if (!story) return read;
    com::Bstr title;
    com::Bstr text;
    story->GetTitle(title.put());
    story->GetText(text.put());
    read.title = textOf(title);
    read.text = textOf(text);
    if (const auto photoSpot = story.tryAs<IPhotoSpot>()) read.pictures = picturesOf(*photoSpot, *story);
    return read;
}

bool SpotStory::Write(IDocument& document, IBaseSpot& spot, const SpotStory& original, const SpotStory& edited)
{
    const auto story = com::ComPtr<IBaseSpot>(&spot).tryAs<ISpotStory>();
    com::ComPtr<IUndoManager> undo;
    if (!story || com::FAILED(document.GetUndoManager(undo.put())) || !undo) return false;

    struct Change {
        com::LONG part;
        const QString& before;
        const QString& after;
    };
    std::vector<Change> changes;
    if (edited.title != original.title) changes.push_back({kStoryTitle, original.title, edited.title});
    if (edited.text != original.text) changes.push_back({kStoryText, original.text, edited.text});
    for (std::size_t i = 0; i < original.pictures.size() && i < edited.pictures.size(); ++i)
        if (edited.pictures[i].caption != original.pictures[i].caption)
            changes.push_back({static_cast<com::LONG>(i), original.pictures[i].caption, edited.pictures[i].caption});
    if (changes.empty()) return false;

    addMarker(*undo);
    for (const Change& change : changes) {
        com::Bstr before = ui::ToBstr(change.before);
        com::Bstr after = ui::ToBstr(change.after);
        com::BSTR beforeArgument = before.get();
        com::BSTR afterArgument = after.get();
        auto action = com::CreateInstance<IUndoSetStoryAction>(CLSID_PLUndoSetStoryAction);
        action->Initialize(story.get(), change.part, &beforeArgument, &afterArgument);
        undo->AddUndoAction(action.as<IUndoAction>().get());
        action.as<IUndoAction>()->Redo();
    }
    addMarker(*undo);
    com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
    document.SetDirty(&dirty);
    return true;
}

}  // namespace shell
