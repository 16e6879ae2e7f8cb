#pragma once

#include "components/interfaces/undo_set_story_action.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

// Undo and Redo of a spot's title, text or one picture's caption replaced.
class PLUndoSetStoryAction final : public com::Implements<PLUndoSetStoryAction, IUndoSetStoryAction, IUndoAction> {
public:
    com::HRESULT Initialize(ISpotStory* inSpot, com::LONG inPart, com::BSTR* inOldWords,
                            com::BSTR* inNewWords) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoSetStoryAction() override = default;
    void setWords(com::BSTR words);

    com::ComPtr<ISpotStory> spot_;
    com::LONG part_ = kStoryTitle;
    com::Bstr oldWords_;
    com::Bstr newWords_;
};
