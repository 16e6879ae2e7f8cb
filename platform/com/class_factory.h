#pragma once

#include "platform/com/implements.h"

namespace com {

inline constexpr IID IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");

struct IClassFactory : IUnknown {
    static constexpr const IID& kIid = IID_IClassFactory;
    using Base = IUnknown;
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept = 0;
    virtual HRESULT LockServer(int lock) noexcept = 0;

protected:
    ~IClassFactory() = default;
};

// The class object of component class T. It lives as long as the module and is not counted among
// the module's objects, so holding it does not keep the module loaded; LockServer does.
template <class T>
class ClassFactory final : public IClassFactory {
public:
    static IClassFactory* Instance()
    {
        static ClassFactory factory;
        return &factory;
    }

    HRESULT QueryInterface(REFIID iid, void** out) noexcept override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() noexcept override { return 2; }
    ULONG Release() noexcept override { return 1; }

    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return Guarded([&] { return Make<T>()->QueryInterface(iid, out); });
    }
    HRESULT LockServer(int lock) noexcept override
    {
        if (lock) LockModule();
        else UnlockModule();
        return S_OK;
    }

private:
    ClassFactory() = default;
};

}  // namespace com
