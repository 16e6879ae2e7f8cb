#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a picture removed from a photo spot at inIndex: Undo puts it back there and makes it
// current; Redo removes it again.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before.
struct IUndoDeletePictureAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoDeletePictureAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IPhotoSpot* inPhotoSpot,
                                    com::BSTR* inFileName,
                                    com::LONG inIndex) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoDeletePictureAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoDeletePictureAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
