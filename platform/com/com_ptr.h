#pragma once

#include "platform/com/unknown.h"

#include <cassert>
#include <cstddef>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace com {

// Thrown by ComPtr::as and the creation helpers inside components; converted back to its
// HRESULT at the component boundary.
class ComError : public std::runtime_error {
public:
    explicit ComError(HRESULT code) : std::runtime_error("component call failed"), code_(code) {}
    HRESULT code() const { return code_; }

private:
    HRESULT code_;
};

inline void ThrowIfFailed(HRESULT hr)
{
    if (FAILED(hr)) throw ComError(hr);
}

// Holds one reference on an interface; the only place outside the runtime that counts references.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference.
    explicit ComPtr(T* pointer) : pointer_(pointer) { addRef(); }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) { addRef(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    ComPtr(const ComPtr<U>& other) : pointer_(other.get()) { addRef(); }
    ~ComPtr() { release(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(pointer_, other.pointer_);
        return *this;
    }

    // Adopts a reference the caller already owns.
    static ComPtr Attach(T* pointer)
    {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }
    T* detach() { return std::exchange(pointer_, nullptr); }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    T& operator*() const { return *pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset() { release(); }

    // For out-parameters; the pointer must be empty so that no reference is overwritten.
    T** put()
    {
        assert(!pointer_ && "ComPtr::put on a pointer that still holds a reference");
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    // Another interface of the same object, or null when the object does not have it.
    template <class U>
    ComPtr<U> tryAs() const
    {
        ComPtr<U> result;
        if (pointer_) pointer_->QueryInterface(U::kIid, result.putVoid());
        return result;
    }
    // Another interface of the same object; throws ComError(E_NOINTERFACE) when it is missing.
    template <class U>
    ComPtr<U> as() const
    {
        if (!pointer_) throw ComError(E_POINTER);
        ComPtr<U> result;
        ThrowIfFailed(pointer_->QueryInterface(U::kIid, result.putVoid()));
        return result;
    }

    // Hands a new reference to an out-parameter.
    HRESULT copyTo(T** out) const
    {
        if (!out) return E_POINTER;
        *out = pointer_;
        addRef();
        return S_OK;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.pointer_ == b.pointer_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.pointer_ == nullptr; }

private:
    void addRef() const { if (pointer_) pointer_->AddRef(); }
    void release() { if (T* old = std::exchange(pointer_, nullptr)) old->Release(); }

    T* pointer_ = nullptr;
};

// Two interface pointers name the same object when their IUnknowns are the same.
template <class A, class B>
bool SameObject(A* a, B* b)
{
    if (!a || !b) return static_cast<void*>(a) == static_cast<void*>(b);
    ComPtr<IUnknown> left, right;
    a->QueryInterface(IID_IUnknown, left.putVoid());
    b->QueryInterface(IID_IUnknown, right.putVoid());
    return left == right;
}

}  // namespace com
