#pragma once

#include "components/interfaces/base_spot.h"
#include "platform/com/implements.h"

// A spot that holds nothing: every operation succeeds and leaves its outputs untouched. Documents
// never hold one; it stands in the catalogue for callers that need some IBaseSpot.
class PLBaseSpot final : public com::Implements<PLBaseSpot, IBaseSpot> {
public:
    com::HRESULT PointInSpot(com::LONG, com::LONG, com::VARIANT_BOOL*) noexcept override { return com::S_OK; }
    com::HRESULT GetSelected(com::VARIANT_BOOL*) noexcept override { return com::S_OK; }
    com::HRESULT SetSelected(com::VARIANT_BOOL) noexcept override { return com::S_OK; }
    com::HRESULT GetBounds(tagRECT*) noexcept override { return com::S_OK; }
    com::HRESULT SetBounds(tagRECT*) noexcept override { return com::S_OK; }
    com::HRESULT WasVisited(com::VARIANT_BOOL*) noexcept override { return com::S_OK; }
    com::HRESULT SetVisited(com::VARIANT_BOOL) noexcept override { return com::S_OK; }
    com::HRESULT SetDocument(com::IUnknown*) noexcept override { return com::S_OK; }
};
