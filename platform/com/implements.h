#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/dispatch_table.h"
#include "platform/com/weak_reference.h"

#include <atomic>
#include <new>
#include <type_traits>

namespace com {

namespace detail {
// This module's count of live objects and server locks. With the component library built with
// hidden symbols, every module has its own count, which is what DllCanUnloadNow must read.
inline std::atomic<long> moduleLocks{0};
}  // namespace detail

inline void LockModule() { ++detail::moduleLocks; }
inline void UnlockModule() { --detail::moduleLocks; }
inline long ModuleLockCount() { return detail::moduleLocks.load(); }

// The interface as the class implements it: dual interfaces get GetIDsOfNames and Invoke from
// their dispatch table; other interfaces are taken as they are.
template <class I>
class InterfaceImpl : public I {};

template <class I>
    requires HasDispatchTable<I>
class InterfaceImpl<I> : public I {
public:
    HRESULT GetTypeInfoCount(UINT* count) noexcept override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override
    {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, const OLECHAR* const* names, UINT count, LCID, DISPID* ids) noexcept override
    {
        return DispatchGetIDsOfNames(DispatchTableOf(static_cast<const I*>(nullptr)), names, count, ids);
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                   UINT* argumentError) noexcept override
    {
        return DispatchInvoke(DispatchTableOf(static_cast<const I*>(nullptr)), static_cast<I*>(this), id, flags,
                              params, result, argumentError);
    }
};

// The base of every component class: names its interfaces once and supplies reference counting,
// QueryInterface (for each interface and the interfaces it extends; IUnknown and IDispatch give the
// first that applies), weak references and the module's lock count.
//
//   class PLDocument final : public com::Implements<PLDocument, IDocument, IPersistPropertyBag> {...};
//   com::ComPtr<PLDocument> document = com::Make<PLDocument>();
template <class Derived, class... Interfaces>
class Implements : public InterfaceImpl<Interfaces>..., public IWeakReferenceSource {
public:
    HRESULT QueryInterface(REFIID iid, void** out) noexcept override
    {
        if (!out) return E_POINTER;
        *out = find(iid);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() noexcept override { return ++references_; }
    ULONG Release() noexcept override
    {
        const ULONG left = --references_;
        if (left == 0) {
            if (weak_) {
                weak_->Detach();
                weak_->Release();
                weak_ = nullptr;
            }
            delete this;
        }
        return left;
    }
    HRESULT GetWeakReference(IWeakReference** out) noexcept override
    {
        if (!out) return E_POINTER;
        if (!weak_) {
            weak_ = new (std::nothrow) detail::WeakReferenceBlock(identity());
            if (!weak_) return E_OUTOFMEMORY;
        }
        weak_->AddRef();
        *out = weak_;
        return S_OK;
    }

    // This object's own IUnknown, without a new reference.
    IUnknown* identity() { return static_cast<IUnknown*>(static_cast<First*>(this)); }

protected:
    Implements() { LockModule(); }
    virtual ~Implements() { UnlockModule(); }
    Implements(const Implements&) = delete;
    Implements& operator=(const Implements&) = delete;

private:
    template <class... Ts> struct FirstOf;
    template <class T, class... Ts> struct FirstOf<T, Ts...> { using type = T; };
    using First = typename FirstOf<Interfaces...>::type;

    template <class I>
    static void* walk(I* self, REFIID iid)
    {
        if (iid == I::kIid) return self;
        if constexpr (!std::is_void_v<typename I::Base>) return walk<typename I::Base>(self, iid);
        else return nullptr;
    }

    void* find(REFIID iid)
    {
        if (iid == IID_IUnknown) return identity();
        if (iid == IID_IWeakReferenceSource) return static_cast<IWeakReferenceSource*>(this);
        void* found = nullptr;
        if (iid == IID_IDispatch) {
            ((found = found ? found : firstDispatch<Interfaces>()), ...);
            return found;
        }
        ((found = found ? found : walk<Interfaces>(static_cast<Interfaces*>(this), iid)), ...);
        return found;
    }

    template <class I>
    void* firstDispatch()
    {
        if constexpr (std::is_base_of_v<IDispatch, I>) return static_cast<IDispatch*>(static_cast<I*>(this));
        else return nullptr;
    }

    std::atomic<ULONG> references_{1};
    detail::WeakReferenceBlock* weak_ = nullptr;
};

// Makes an object of a component class, holding its first reference.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args)
{
    return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

// Runs a component method body that may throw, turning what it throws into the result code.
template <class Body>
HRESULT Guarded(Body&& body) noexcept
{
    try {
        return body();
    } catch (const ComError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace com
