#include "components/undo/pl_undo_set_picture_action.h"

#include "components/document/string_copy.h"
#include "components/undo/picture_steps.h"

com::HRESULT PLUndoSetPictureAction::Initialize(IPhotoSpot* inPhotoSpot, com::LONG inPhotoIndex,
                                                com::BSTR* inPhotoName) noexcept
{
    if (!inPhotoSpot || !inPhotoName) return com::E_POINTER;
    return com::Guarded([&] {
        name_ = document::CopyString(*inPhotoName);
        spot_ = com::ComPtr<IPhotoSpot>(inPhotoSpot);
        index_ = inPhotoIndex;
        return com::S_OK;
    });
}

com::HRESULT PLUndoSetPictureAction::Undo() noexcept
{
    if (spot_) undo::RemovePicture(*spot_.get(), index_);
    return com::S_OK;
}

com::HRESULT PLUndoSetPictureAction::Redo() noexcept
{
    if (spot_) undo::ReinsertPicture(*spot_.get(), index_, name_.get());
    return com::S_OK;
}
