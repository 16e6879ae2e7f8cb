#pragma once

#include "platform/com/unknown.h"

// How many properties a property bag holds for the component that is loading from it. Not one of
// the platform's persistence interfaces: the library's own bag offers it so that a component reading
// numbered keys ("Spot_%d_Key") can bound its reads by what is stored instead of trusting a stored
// count, and so read past a missing key without a damaged count making it read for ever.
inline constexpr com::IID IID_IPropertyCount = com::MakeGuid("{44F01B47-B7C0-4910-9B21-1BEC910E8A67}");

struct IPropertyCount : com::IUnknown {
    static constexpr const com::IID& kIid = IID_IPropertyCount;
    using Base = com::IUnknown;
    // E_UNEXPECTED when the bag is not loading a component.
    virtual com::HRESULT CountProperties(com::ULONG* count) noexcept = 0;

protected:
    ~IPropertyCount() = default;
};
