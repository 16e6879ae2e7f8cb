#pragma once

#include "components/interfaces/undo_set_audio.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

// Undo and Redo of a photo spot's sound file replaced.
class PLUndoSetAudio final : public com::Implements<PLUndoSetAudio, IUndoSetAudio, IUndoAction> {
public:
    com::HRESULT Initialize(IPhotoSpot* inPhotoSpot, com::BSTR* inOldAudioFileName,
                            com::BSTR* inNewAudioFileName) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoSetAudio() override = default;
    void setAudio(com::BSTR name);

    com::ComPtr<IPhotoSpot> spot_;
    com::Bstr oldName_;
    com::Bstr newName_;
};
