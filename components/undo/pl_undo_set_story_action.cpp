#include "components/undo/pl_undo_set_story_action.h"

#include "components/document/string_copy.h"

com::HRESULT PLUndoSetStoryAction::Initialize(ISpotStory* inSpot, com::LONG inPart, com::BSTR* inOldWords,
                                              com::BSTR* inNewWords) noexcept
{
    if (!inSpot || !inOldWords || !inNewWords) return com::E_POINTER;
    if (inPart < kStoryText) return com::E_INVALIDARG;
    return com::Guarded([&] {
        com::Bstr oldWords = document::CopyString(*inOldWords);
        newWords_ = document::CopyString(*inNewWords);
        oldWords_ = std::move(oldWords);
        spot_ = com::ComPtr<ISpotStory>(inSpot);
        part_ = inPart;
        return com::S_OK;
    });
}

void PLUndoSetStoryAction::setWords(com::BSTR words)
{
    if (!spot_) return;
    switch (part_) {
    case kStoryTitle:
        spot_->SetTitle(words);
        break;
    case kStoryText:
        spot_->SetText(words);
        break;
    default:
        spot_->SetCaption(part_, words);
        break;
    }
}

com::HRESULT PLUndoSetStoryAction::Undo() noexcept
{
    setWords(oldWords_.get());
    return com::S_OK;
}

com::HRESULT PLUndoSetStoryAction::Redo() noexcept
{
    setWords(newWords_.get());
    return com::S_OK;
}
