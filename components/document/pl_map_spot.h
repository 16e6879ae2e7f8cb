#pragma once

#include "components/document/spot_implementation.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/map_spot.h"

// A spot linking to another map document. Thread: the user-interface thread that created it.
class PLMapSpot final : public SpotImplementation<PLMapSpot, IMapSpot> {
public:
    static constexpr const com::CLSID& kClassId = CLSID_PLMapSpot;

    com::HRESULT InitSpot(tagRECT* inBounds, com::IUnknown* inDoc) noexcept override;
    com::HRESULT SetFileName(com::BSTR* inFileName) noexcept override;
    com::HRESULT GetFileName(com::BSTR* outFileName) noexcept override;

    // A map spot holds no pictures, so no position has a caption.
    com::HRESULT GetCaption(com::LONG inPictureIndex, com::BSTR* outCaption) noexcept override;
    com::HRESULT SetCaption(com::LONG inPictureIndex, com::BSTR inCaption) noexcept override;

    com::HRESULT Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept override;
    com::HRESULT Save(com::IPropertyBag* bag, int clearDirty, int saveAllProperties) noexcept override;

private:
    ~PLMapSpot() override = default;

    com::Bstr fileName_;
};
