#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/spot_story.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Which words of a spot an IUndoSetStoryAction restores: its title, its text, or (any position from
// 0) the caption of the picture at that position.
enum StoryPart : com::LONG {
    kStoryTitle = -1,
    kStoryText = -2,
};

// Records one part of a spot's story replaced: Undo sets the old words, Redo the new ones.
// Initialize keeps a reference on the spot and a copy of each string; it answers E_POINTER for a
// null spot or string pointer, E_INVALIDARG for a part below kStoryText, and E_OUTOFMEMORY when a
// copy fails, keeping what it held before.
struct IUndoSetStoryAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoSetStoryAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(ISpotStory* inSpot, com::LONG inPart, com::BSTR* inOldWords,
                                    com::BSTR* inNewWords) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoSetStoryAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoSetStoryAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
