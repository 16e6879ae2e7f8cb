#pragma once

#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace com {

using DISPID = LONG;
using LCID = DWORD;

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;

inline constexpr WORD DISPATCH_METHOD = 0x1;
inline constexpr WORD DISPATCH_PROPERTYGET = 0x2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

// Arguments of a dispatch call, in reverse order: rgvarg[0] is the last argument.
struct DISPPARAMS {
    VARIANTARG* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

struct EXCEPINFO {
    WORD wCode = 0;
    WORD wReserved = 0;
    BSTR bstrSource = nullptr;
    BSTR bstrDescription = nullptr;
    BSTR bstrHelpFile = nullptr;
    DWORD dwHelpContext = 0;
    void* pvReserved = nullptr;
    void* pfnDeferredFillIn = nullptr;
    SCODE scode = 0;
};

// Type information lives in the static dispatch tables; no component hands out ITypeInfo.
struct ITypeInfo;

inline constexpr IID IID_IDispatch = MakeGuid("{00020400-0000-0000-C000-000000000046}");

struct IDispatch : IUnknown {
    static constexpr const IID& kIid = IID_IDispatch;
    using Base = IUnknown;

    virtual HRESULT GetTypeInfoCount(UINT* count) noexcept = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) noexcept = 0;
    virtual HRESULT GetIDsOfNames(REFIID reserved, const OLECHAR* const* names, UINT count, LCID locale,
                                  DISPID* ids) noexcept = 0;
    virtual HRESULT Invoke(DISPID member, REFIID reserved, LCID locale, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept = 0;

protected:
    ~IDispatch() = default;
};

}  // namespace com
