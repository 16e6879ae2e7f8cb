#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a photo spot's sound file replaced: Undo sets the old name, Redo the new one (null is
// no sound).
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before.
struct IUndoSetAudio : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoSetAudio;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IPhotoSpot* inPhotoSpot,
                                    com::BSTR* inOldAudioFileName,
                                    com::BSTR* inNewAudioFileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoSetAudio*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoSetAudio::Initialize>(1, u"Initialize"),
    };
    return members;
}
