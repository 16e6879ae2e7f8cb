#pragma once

#include "components/interfaces/undo_delete_picture_action.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

// Undo and Redo of a picture removed from a photo spot at a known position. The picture's caption,
// read from the spot when the action is initialised (before the removal), comes back with it.
class PLUndoDeletePictureAction final
    : public com::Implements<PLUndoDeletePictureAction, IUndoDeletePictureAction, IUndoAction> {
public:
    com::HRESULT Initialize(IPhotoSpot* inPhotoSpot, com::BSTR* inFileName, com::LONG inIndex) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoDeletePictureAction() override = default;

    com::ComPtr<IPhotoSpot> spot_;
    com::Bstr name_;
    com::Bstr caption_;
    com::LONG index_ = 0;
};
