#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"

// What every spot on a map offers: its rectangle in map coordinates, hit testing, selection, the
// visited mark and the document it reports its changes to.
struct IBaseSpot : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IBaseSpot;
    using Base = com::IDispatch;
    virtual com::HRESULT PointInSpot(com::LONG in_x, com::LONG in_y, com::VARIANT_BOOL* outResult) noexcept = 0;
    virtual com::HRESULT GetSelected(com::VARIANT_BOOL* pVal) noexcept = 0;
    virtual com::HRESULT SetSelected(com::VARIANT_BOOL newVal) noexcept = 0;
    virtual com::HRESULT GetBounds(tagRECT* pVal) noexcept = 0;
    virtual com::HRESULT SetBounds(tagRECT* newVal) noexcept = 0;
    virtual com::HRESULT WasVisited(com::VARIANT_BOOL* outVisited) noexcept = 0;
    virtual com::HRESULT SetVisited(com::VARIANT_BOOL inVisited) noexcept = 0;
    virtual com::HRESULT SetDocument(com::IUnknown* inDocument) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IBaseSpot*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IBaseSpot::PointInSpot, com::kRetval>(1, u"PointInSpot"),
        com::Method<&IBaseSpot::GetSelected, com::kRetval>(2, u"GetSelected"),
        com::Method<&IBaseSpot::SetSelected>(3, u"SetSelected"),
        com::Method<&IBaseSpot::GetBounds, com::kRetval>(4, u"GetBounds"),
        com::Method<&IBaseSpot::SetBounds>(5, u"SetBounds"),
        com::Method<&IBaseSpot::WasVisited, com::kRetval>(6, u"WasVisited"),
        com::Method<&IBaseSpot::SetVisited>(7, u"SetVisited"),
        com::Method<&IBaseSpot::SetDocument>(8, u"SetDocument"),
    };
    return members;
}
