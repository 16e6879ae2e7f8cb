#pragma once

#include "components/document/spot_implementation.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/photo_spot.h"

#include <vector>

// A spot holding a slide show: picture paths in showing order, each with its caption, the current
// index and a sound file.
// Thread: the user-interface thread that created it.
class PLPhotoSpot final : public SpotImplementation<PLPhotoSpot, IPhotoSpot> {
public:
    static constexpr const com::CLSID& kClassId = CLSID_PLPhotoSpot;

    com::HRESULT InitSpot(tagRECT* inBounds, com::IUnknown* inDocument) noexcept override;
    com::HRESULT AddPhoto(com::BSTR* inImageFileName) noexcept override;
    com::HRESULT CurrentImage(com::BSTR* outImagePath) noexcept override;
    com::HRESULT NextImage() noexcept override;
    com::HRESULT RemoveCurrentImage() noexcept override;
    com::HRESULT InsertPhoto(com::BSTR* inImageFileName) noexcept override;
    com::HRESULT NumImages(com::LONG* outNumImages) noexcept override;
    com::HRESULT PreviousImage() noexcept override;
    com::HRESULT SetAudioFile(com::BSTR* inAudioFile) noexcept override;
    com::HRESULT GetAudioFile(com::BSTR* outAudioFile) noexcept override;
    com::HRESULT GetIndex(com::LONG* outIndex) noexcept override;
    com::HRESULT SetIndex(com::LONG inNewIndex) noexcept override;

    com::HRESULT GetCaption(com::LONG inPictureIndex, com::BSTR* outCaption) noexcept override;
    com::HRESULT SetCaption(com::LONG inPictureIndex, com::BSTR inCaption) noexcept override;

    com::HRESULT Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept override;
    com::HRESULT Save(com::IPropertyBag* bag, int clearDirty, int saveAllProperties) noexcept override;

private:
    ~PLPhotoSpot() override = default;

    com::LONG count() const { return static_cast<com::LONG>(pictures_.size()); }
    bool indexInList() const { return inList(index_); }

    // A caption is kept with its picture, so that it moves wherever the picture goes.
    struct Picture {
        com::Bstr path;
        com::Bstr caption;
    };

    bool inList(com::LONG index) const { return 0 <= index && index < count(); }

    std::vector<Picture> pictures_;
    com::LONG index_ = 0;
    com::Bstr audioFile_;
};
