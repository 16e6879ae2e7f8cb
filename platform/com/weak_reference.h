#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/export.h"

#include <atomic>

namespace com {

inline constexpr IID IID_IWeakReference = MakeGuid("{00000037-0000-0000-C000-000000000046}");
inline constexpr IID IID_IWeakReferenceSource = MakeGuid("{00000038-0000-0000-C000-000000000046}");

// A reference that does not keep its object alive: Resolve gives the object while it lives and
// fails once its last strong reference has gone. Parts of a model that point back at their owner
// (a spot at its document) hold one, so owner and parts never keep each other alive.
struct IWeakReference : IUnknown {
    static constexpr const IID& kIid = IID_IWeakReference;
    using Base = IUnknown;
    virtual HRESULT Resolve(REFIID iid, void** out) noexcept = 0;

protected:
    ~IWeakReference() = default;
};

struct IWeakReferenceSource : IUnknown {
    static constexpr const IID& kIid = IID_IWeakReferenceSource;
    using Base = IUnknown;
    virtual HRESULT GetWeakReference(IWeakReference** out) noexcept = 0;

protected:
    ~IWeakReferenceSource() = default;
};

namespace detail {
// The shared record between an object and its weak references; the object clears it as its last
// strong reference goes, before it is destroyed.
class PINLORE_COM_EXPORT WeakReferenceBlock final : public IWeakReference {
public:
    explicit WeakReferenceBlock(IUnknown* target) : target_(target) {}
    HRESULT QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG AddRef() noexcept override;
    ULONG Release() noexcept override;
    HRESULT Resolve(REFIID iid, void** out) noexcept override;
    void Detach() { target_.store(nullptr); }

private:
    ~WeakReferenceBlock() = default;
    std::atomic<ULONG> references_{1};
    std::atomic<IUnknown*> target_;
};
}  // namespace detail

// Holds an object weakly when it offers weak references, strongly otherwise.
template <class I>
class WeakPtr {
public:
    WeakPtr() = default;
    explicit WeakPtr(IUnknown* object) { reset(object); }

    void reset(IUnknown* object = nullptr)
    {
        weak_.reset();
        strong_.reset();
        if (!object) return;
        ComPtr<IWeakReferenceSource> source;
        if (SUCCEEDED(object->QueryInterface(IID_IWeakReferenceSource, source.putVoid())) &&
            SUCCEEDED(source->GetWeakReference(weak_.put())))
            return;
        object->QueryInterface(I::kIid, strong_.putVoid());
    }

    ComPtr<I> lock() const
    {
        if (strong_) return strong_;
        ComPtr<I> result;
        if (weak_) weak_->Resolve(I::kIid, result.putVoid());
        return result;
    }
    explicit operator bool() const { return weak_ || strong_; }

private:
    ComPtr<IWeakReference> weak_;
    ComPtr<I> strong_;
};

}  // namespace com
