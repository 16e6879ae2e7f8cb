#include "components/undo/pl_undo_set_audio.h"

#include "components/document/string_copy.h"

com::HRESULT PLUndoSetAudio::Initialize(IPhotoSpot* inPhotoSpot, com::BSTR* inOldAudioFileName,
                                        com::BSTR* inNewAudioFileName) noexcept
{
    if (!inPhotoSpot || !inOldAudioFileName || !inNewAudioFileName) return com::E_POINTER;
    return com::Guarded([&] {
        com::Bstr oldName = document::CopyString(*inOldAudioFileName);
        newName_ = document::CopyString(*inNewAudioFileName);
        oldName_ = std::move(oldName);
        spot_ = com::ComPtr<IPhotoSpot>(inPhotoSpot);
        return com::S_OK;
    });
}

void PLUndoSetAudio::setAudio(com::BSTR name)
{
    if (spot_) spot_->SetAudioFile(&name);
}

com::HRESULT PLUndoSetAudio::Undo() noexcept
{
    setAudio(oldName_.get());
    return com::S_OK;
}

com::HRESULT PLUndoSetAudio::Redo() noexcept
{
    setAudio(newName_.get());
    return com::S_OK;
}
