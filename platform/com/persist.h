#pragma once

#include "platform/com/dispatch.h"

namespace com {

inline constexpr IID IID_IPersist = MakeGuid("{0000010C-0000-0000-C000-000000000046}");
inline constexpr IID IID_IPersistPropertyBag = MakeGuid("{37D84F60-42CB-11CE-8135-00AA004BB851}");
inline constexpr IID IID_IPropertyBag = MakeGuid("{55272A00-42CB-11CE-8135-00AA004BB851}");
inline constexpr IID IID_IErrorLog = MakeGuid("{3127CA40-446E-11CE-8135-00AA004BB851}");

struct IErrorLog : IUnknown {
    static constexpr const IID& kIid = IID_IErrorLog;
    using Base = IUnknown;
    virtual HRESULT AddError(const OLECHAR* propertyName, EXCEPINFO* error) noexcept = 0;

protected:
    ~IErrorLog() = default;
};

// Named values that a component reads its state from and writes it to.
struct IPropertyBag : IUnknown {
    static constexpr const IID& kIid = IID_IPropertyBag;
    using Base = IUnknown;
    // `value` comes in with the type wanted (VT_EMPTY: whatever is stored).
    virtual HRESULT Read(const OLECHAR* name, VARIANT* value, IErrorLog* errorLog) noexcept = 0;
    virtual HRESULT Write(const OLECHAR* name, VARIANT* value) noexcept = 0;

protected:
    ~IPropertyBag() = default;
};

struct IPersist : IUnknown {
    static constexpr const IID& kIid = IID_IPersist;
    using Base = IUnknown;
    virtual HRESULT GetClassID(CLSID* classId) noexcept = 0;

protected:
    ~IPersist() = default;
};

struct IPersistPropertyBag : IPersist {
    static constexpr const IID& kIid = IID_IPersistPropertyBag;
    using Base = IPersist;
    virtual HRESULT InitNew() noexcept = 0;
    virtual HRESULT Load(IPropertyBag* bag, IErrorLog* errorLog) noexcept = 0;
    virtual HRESULT Save(IPropertyBag* bag, int clearDirty, int saveAllProperties) noexcept = 0;

protected:
    ~IPersistPropertyBag() = default;
};

}  // namespace com
