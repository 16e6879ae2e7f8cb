#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"

// A spot that links to another map document; following it opens the linked map. Changes are
// announced through the spot's document, while it has one.
struct IMapSpot : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IMapSpot;
    using Base = com::IDispatch;
    // Sets the bounds and the document without the move notifications, then announces the spot.
    virtual com::HRESULT InitSpot(tagRECT* inBounds, com::IUnknown* inDoc) noexcept = 0;
    // Copies the path (null removes the link) and announces it, even when it did not change.
    virtual com::HRESULT SetFileName(com::BSTR* inFileName) noexcept = 0;
    // Null when there is no link. A null output pointer is accepted and ignored.
    virtual com::HRESULT GetFileName(com::BSTR* outFileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IMapSpot*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IMapSpot::InitSpot>(1, u"InitSpot"),
        com::Method<&IMapSpot::SetFileName>(2, u"SetFileName"),
        com::Method<&IMapSpot::GetFileName>(3, u"GetFileName"),
    };
    return members;
}
