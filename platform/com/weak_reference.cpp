#include "platform/com/weak_reference.h"

namespace com::detail {

HRESULT WeakReferenceBlock::QueryInterface(REFIID iid, void** out) noexcept
{
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IWeakReference) {
        *out = static_cast<IWeakReference*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG WeakReferenceBlock::AddRef() noexcept
{
    return ++references_;
}

ULONG WeakReferenceBlock::Release() noexcept
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT WeakReferenceBlock::Resolve(REFIID iid, void** out) noexcept
{
    if (!out) return E_POINTER;
    *out = nullptr;
    IUnknown* target = target_.load();
    // Objects are used on the thread that made them, so the target cannot go between the test
    // and the QueryInterface below.
    if (!target) return E_FAIL;
    return target->QueryInterface(iid, out);
}

}  // namespace com::detail
