#pragma once

#include "components/interfaces/undo_set_picture_action.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

// Undo and Redo of a picture added to a photo spot at a known position.
class PLUndoSetPictureAction final
    : public com::Implements<PLUndoSetPictureAction, IUndoSetPictureAction, IUndoAction> {
public:
    com::HRESULT Initialize(IPhotoSpot* inPhotoSpot, com::LONG inPhotoIndex, com::BSTR* inPhotoName) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoSetPictureAction() override = default;

    com::ComPtr<IPhotoSpot> spot_;
    com::LONG index_ = 0;
    com::Bstr name_;
};
