#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/dispatch_table.h"

// Records a picture added to a photo spot at inPhotoIndex: Undo removes the picture at that index;
// Redo puts it back there and makes it current.
// Initialize keeps a reference on each interface argument and a copy of each string; it answers
// E_POINTER for a null interface or string pointer and E_OUTOFMEMORY when a copy fails, keeping
// what it held before.
struct IUndoSetPictureAction : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IUndoSetPictureAction;
    using Base = com::IDispatch;
    virtual com::HRESULT Initialize(IPhotoSpot* inPhotoSpot,
                                    com::LONG inPhotoIndex,
                                    com::BSTR* inPhotoName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IUndoSetPictureAction*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IUndoSetPictureAction::Initialize>(1, u"Initialize"),
    };
    return members;
}
