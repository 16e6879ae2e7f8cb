#include "components/undo/pl_undo_delete_picture_action.h"

#include "components/document/string_copy.h"
#include "components/interfaces/spot_story.h"
#include "components/undo/picture_steps.h"

com::HRESULT PLUndoDeletePictureAction::Initialize(IPhotoSpot* inPhotoSpot, com::BSTR* inFileName,
                                                   com::LONG inIndex) noexcept
{
    if (!inPhotoSpot || !inFileName) return com::E_POINTER;
    return com::Guarded([&] {
        name_ = document::CopyString(*inFileName);
        spot_ = com::ComPtr<IPhotoSpot>(inPhotoSpot);
        index_ = inIndex;
        caption_.reset();
        if (const auto story = spot_.tryAs<ISpotStory>()) story->GetCaption(index_, caption_.put());
        return com::S_OK;
    });
}

com::HRESULT PLUndoDeletePictureAction::Undo() noexcept
{
    if (!spot_) return com::S_OK;
    undo::ReinsertPicture(*spot_.get(), index_, name_.get());
    if (caption_.length() > 0)
        if (const auto story = spot_.tryAs<ISpotStory>()) story->SetCaption(index_, caption_.get());
    return com::S_OK;
}

com::HRESULT PLUndoDeletePictureAction::Redo() noexcept
{
    if (spot_) undo::RemovePicture(*spot_.get(), index_);
    return com::S_OK;
}
