#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace com {

inline constexpr IID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");

// Every interface names its identifier as `kIid` and the interface it extends as `Base`, so that
// QueryInterface can answer for the whole chain without each class listing it again.
struct IUnknown {
    static constexpr const IID& kIid = IID_IUnknown;
    using Base = void;

    virtual HRESULT QueryInterface(REFIID iid, void** out) noexcept = 0;
    virtual ULONG AddRef() noexcept = 0;
    virtual ULONG Release() noexcept = 0;

protected:
    ~IUnknown() = default;
};

template <class I>
concept Interface = requires { { I::kIid } -> std::convertible_to<const IID&>; };

}  // namespace com
