#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/export.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

// Dispatch tables: each dual interface declares, once and beside its virtual methods, which member
// answers which DISPID under which name. `Invoke` is this one piece of runtime code: it checks the
// argument count, decodes the arguments (given in reverse order, possibly by reference), coerces them
// to the parameter types and hands [out, retval] results back in the result variant.
//
// A table is found by argument-dependent lookup of `DispatchTableOf(const I*)`:
//
//   inline std::span<const com::DispatchMember> DispatchTableOf(const IDocument*)
//   {
//       static constexpr com::DispatchMember members[] = {
//           com::Method<&IDocument::SetMapFile>(1, u"SetMapFile"),
//           com::Method<&IDocument::SpotAtPoint, com::kRetval>(4, u"SpotAtPoint"),
//       };
//       return members;
//   }
//
// Records (VT_RECORD) are found the same way through `RecordTypeOf(const T*)`.
namespace com {

using InvokeThunk = HRESULT (*)(void* self, DISPPARAMS& params, VARIANT* result, UINT* argumentError);

struct DispatchMember {
    DISPID id;
    const char16_t* name;
    WORD flags;  // the DISPATCH_... kinds of call this member answers
    InvokeThunk invoke;
};

template <class I>
concept HasDispatchTable = requires(const I* i) {
    { DispatchTableOf(i) } -> std::convertible_to<std::span<const DispatchMember>>;
};

template <class T>
concept Record = requires(const T* t) {
    { RecordTypeOf(t) } -> std::convertible_to<const RecordType&>;
};

// Case-insensitive lookup of member names; DISP_E_UNKNOWNNAME for names not in the table.
PINLORE_COM_EXPORT HRESULT DispatchGetIDsOfNames(std::span<const DispatchMember> table, const OLECHAR* const* names,
                                                 UINT count, DISPID* ids);
// DISP_E_MEMBERNOTFOUND for an unknown DISPID or a kind of call the member does not answer,
// DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH (argumentError names the argument), else the member's
// own result.
PINLORE_COM_EXPORT HRESULT DispatchInvoke(std::span<const DispatchMember> table, void* self, DISPID id, WORD flags,
                                          DISPPARAMS* params, VARIANT* result, UINT* argumentError);

namespace detail {

template <class T> struct ScalarTraits;
template <> struct ScalarTraits<LONG> {
    static constexpr VARTYPE kType = VT_I4;
    static LONG& Field(VARIANT& v) { return v.lVal; }
};
template <> struct ScalarTraits<ULONG> {
    static constexpr VARTYPE kType = VT_UI4;
    static ULONG& Field(VARIANT& v) { return v.ulVal; }
};
template <> struct ScalarTraits<std::uint16_t> {
    static constexpr VARTYPE kType = VT_UI2;
    static std::uint16_t& Field(VARIANT& v) { return v.uiVal; }
};
template <> struct ScalarTraits<VARIANT_BOOL> {
    static constexpr VARTYPE kType = VT_BOOL;
    static VARIANT_BOOL& Field(VARIANT& v) { return v.boolVal; }
};
template <> struct ScalarTraits<double> {
    static constexpr VARTYPE kType = VT_R8;
    static double& Field(VARIANT& v) { return v.dblVal; }
};
template <> struct ScalarTraits<float> {
    static constexpr VARTYPE kType = VT_R4;
    static float& Field(VARIANT& v) { return v.fltVal; }
};

template <class T>
concept Scalar = requires { ScalarTraits<T>::kType; };

template <class T>
concept InterfacePointer = std::is_pointer_v<T> && std::is_base_of_v<IUnknown, std::remove_pointer_t<T>>;

inline IUnknown* ObjectIn(const VARIANT& arg, bool& isObject)
{
    const VARTYPE type = arg.vt & ~VT_BYREF;
    isObject = type == VT_UNKNOWN || type == VT_DISPATCH || type == VT_EMPTY || type == VT_NULL;
    if (type != VT_UNKNOWN && type != VT_DISPATCH) return nullptr;
    if (arg.vt & VT_BYREF) return arg.ppunkVal ? *arg.ppunkVal : nullptr;
    return arg.punkVal;
}

// One [in] (or in/out) argument, decoded from its variant. `get` gives what the member takes.
template <class T> struct InSlot;

template <Scalar T>
struct InSlot<T> {
    T value{};
    HRESULT load(VARIANT& arg)
    {
        Variant converted;
        if (FAILED(VariantChangeType(&converted, &arg, 0, ScalarTraits<T>::kType))) return DISP_E_TYPEMISMATCH;
        value = ScalarTraits<T>::Field(converted);
        return S_OK;
    }
    T get() { return value; }
};

// A pointer to a scalar: by reference when the caller passed one of the same type (outputs land in
// the caller's storage), else a converted copy.
template <Scalar T>
struct InSlot<T*> {
    T local{};
    T* target = &local;
    HRESULT load(VARIANT& arg)
    {
        if (arg.vt == (VT_BYREF | ScalarTraits<T>::kType) && arg.byref) {
            target = static_cast<T*>(arg.byref);
            return S_OK;
        }
        InSlot<T> copy;
        const HRESULT hr = copy.load(arg);
        local = copy.value;
        return hr;
    }
    T* get() { return target; }
};

template <>
struct InSlot<BSTR> {
    BSTR value = nullptr;
    Variant converted;
    HRESULT load(VARIANT& arg)
    {
        if (arg.vt == VT_BSTR) { value = arg.bstrVal; return S_OK; }
        if (arg.vt == (VT_BYREF | VT_BSTR)) { value = arg.pbstrVal ? *arg.pbstrVal : nullptr; return S_OK; }
        if (FAILED(VariantChangeType(&converted, &arg, 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
        value = converted.bstrVal;
        return S_OK;
    }
    BSTR get() { return value; }
};

// A BSTR*: the caller's own string when passed by reference; otherwise a borrowed copy of the
// value, and anything the member writes in its place is freed, since nobody asked for it.
template <>
struct InSlot<BSTR*> {
    InSlot<BSTR> borrowed;
    BSTR local = nullptr;
    BSTR* target = &local;
    HRESULT load(VARIANT& arg)
    {
        if (arg.vt == (VT_BYREF | VT_BSTR) && arg.pbstrVal) {
            target = arg.pbstrVal;
            return S_OK;
        }
        const HRESULT hr = borrowed.load(arg);
        local = borrowed.value;
        return hr;
    }
    BSTR* get() { return target; }
    InSlot() = default;
    InSlot(const InSlot&) = delete;
    ~InSlot() { if (local != borrowed.value) SysFreeString(local); }
};

template <InterfacePointer P>
struct InSlot<P> {
    using I = std::remove_pointer_t<P>;
    ComPtr<I> value;
    HRESULT load(VARIANT& arg)
    {
        bool isObject = false;
        IUnknown* object = ObjectIn(arg, isObject);
        if (!isObject) return DISP_E_TYPEMISMATCH;
        if (object && FAILED(object->QueryInterface(I::kIid, value.putVoid()))) return DISP_E_TYPEMISMATCH;
        return S_OK;
    }
    P get() { return value.get(); }
};

// An interface out-parameter that is not the return value: written back to a by-reference object
// argument, released otherwise.
template <InterfacePointer P>
struct InSlot<P*> {
    using I = std::remove_pointer_t<P>;
    I* local = nullptr;
    VARIANT* byReference = nullptr;
    HRESULT load(VARIANT& arg)
    {
        bool isObject = false;
        IUnknown* object = ObjectIn(arg, isObject);
        if (!isObject) return DISP_E_TYPEMISMATCH;
        if (arg.vt & VT_BYREF) byReference = &arg;
        if (object && FAILED(object->QueryInterface(I::kIid, reinterpret_cast<void**>(&local)))) return DISP_E_TYPEMISMATCH;
        return S_OK;
    }
    P* get() { return &local; }
    InSlot() = default;
    InSlot(const InSlot&) = delete;
    ~InSlot()
    {
        if (byReference && byReference->ppunkVal) {
            IUnknown** slot = byReference->ppunkVal;
            if (*slot) (*slot)->Release();
            *slot = nullptr;
            if (local) local->QueryInterface((byReference->vt & ~VT_BYREF) == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                                             reinterpret_cast<void**>(slot));
        }
        if (local) local->Release();
    }
};

// A handle of the platform (a device context): a pointer to a type that declares `IsHandle`. Like
// the platform's remotable handles it travels as a pointer-sized integer (VT_I8) and is passed
// through unchanged.
template <class T>
concept HandlePointer = std::is_pointer_v<T> && requires { typename std::remove_pointer_t<T>::IsHandle; };

template <HandlePointer H>
struct InSlot<H> {
    H value = nullptr;
    HRESULT load(VARIANT& arg)
    {
        if (arg.vt != VT_I8) return DISP_E_TYPEMISMATCH;
        value = reinterpret_cast<H>(static_cast<std::intptr_t>(arg.llVal));
        return S_OK;
    }
    H get() { return value; }
};

template <Record R>
struct InSlot<R*> {
    R* target = nullptr;
    HRESULT load(VARIANT& arg)
    {
        if ((arg.vt & ~VT_BYREF) != VT_RECORD || !arg.record.pvRecord || !arg.record.pRecInfo ||
            arg.record.pRecInfo->guid != RecordTypeOf(static_cast<const R*>(nullptr)).guid)
            return DISP_E_TYPEMISMATCH;
        target = static_cast<R*>(arg.record.pvRecord);
        return S_OK;
    }
    R* get() { return target; }
};

template <>
struct InSlot<VARIANT*> {
    VARIANT* target = nullptr;
    HRESULT load(VARIANT& arg)
    {
        target = (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal) ? arg.pvarVal : &arg;
        return S_OK;
    }
    VARIANT* get() { return target; }
};

// Hands a value over to the result variant, or drops it when the caller gave none.
inline void StoreResult(VARIANT* result, VARIANT& value)
{
    if (result) {
        VariantClear(result);
        *result = value;
    } else {
        VariantClear(&value);
    }
    VariantInit(&value);
}

// The [out, retval] parameter: filled by the member, moved into the result variant.
template <class T> struct RetvalSlot;

template <Scalar T>
struct RetvalSlot<T> {
    T value{};
    T* get() { return &value; }
    void store(VARIANT* result)
    {
        VARIANT out;
        VariantInit(&out);
        out.vt = ScalarTraits<T>::kType;
        ScalarTraits<T>::Field(out) = value;
        StoreResult(result, out);
    }
};

template <>
struct RetvalSlot<BSTR> {
    BSTR value = nullptr;
    BSTR* get() { return &value; }
    void store(VARIANT* result)
    {
        VARIANT out;
        VariantInit(&out);
        out.vt = VT_BSTR;
        out.bstrVal = std::exchange(value, nullptr);
        StoreResult(result, out);
    }
    RetvalSlot() = default;
    RetvalSlot(const RetvalSlot&) = delete;
    ~RetvalSlot() { SysFreeString(value); }
};

template <InterfacePointer P>
struct RetvalSlot<P> {
    using I = std::remove_pointer_t<P>;
    I* value = nullptr;
    P* get() { return &value; }
    void store(VARIANT* result)
    {
        VARIANT out;
        VariantInit(&out);
        if constexpr (std::is_base_of_v<IDispatch, I>) {
            out.vt = VT_DISPATCH;
            out.pdispVal = std::exchange(value, nullptr);
        } else {
            out.vt = VT_UNKNOWN;
            out.punkVal = std::exchange(value, nullptr);
        }
        StoreResult(result, out);
    }
    RetvalSlot() = default;
    RetvalSlot(const RetvalSlot&) = delete;
    ~RetvalSlot() { if (value) value->Release(); }
};

template <Record R>
struct RetvalSlot<R> {
    R value{};
    R* get() { return &value; }
    void store(VARIANT* result)
    {
        VARIANT out;
        VariantInit(&out);
        out.vt = VT_RECORD;
        out.record.pRecInfo = &RecordTypeOf(static_cast<const R*>(nullptr));
        out.record.pvRecord = std::malloc(sizeof(R));
        if (!out.record.pvRecord) return;
        std::memcpy(out.record.pvRecord, &value, sizeof(R));
        StoreResult(result, out);
    }
};

template <>
struct RetvalSlot<VARIANT> {
    Variant value;
    VARIANT* get() { return &value; }
    void store(VARIANT* result) { StoreResult(result, value); }
};

template <class T, bool kIsRetval>
struct SlotFor { using type = InSlot<T>; };
template <class T>
struct SlotFor<T, true> { using type = RetvalSlot<std::remove_pointer_t<T>>; };

template <class Member> struct MemberTraits;
template <class I, class... A>
struct MemberTraits<HRESULT (I::*)(A...) noexcept> {
    using Interface = I;
    using Arguments = std::tuple<A...>;
    static constexpr std::size_t kArity = sizeof...(A);
};

template <class Slot>
HRESULT LoadSlot(Slot& slot, DISPPARAMS& params, std::size_t position, UINT* argumentError)
{
    if constexpr (requires { slot.load(params.rgvarg[0]); }) {
        VARIANT& arg = params.rgvarg[params.cArgs - 1 - position];
        const HRESULT hr = slot.load(arg);
        if (FAILED(hr) && argumentError) *argumentError = static_cast<UINT>(params.cArgs - 1 - position);
        return hr;
    } else {
        return S_OK;
    }
}

template <class Slot>
void StoreSlot(Slot& slot, VARIANT* result)
{
    if constexpr (requires { slot.store(result); }) slot.store(result);
}

template <auto F, bool kRetval, std::size_t... K>
HRESULT CallMember(void* self, DISPPARAMS& params, [[maybe_unused]] VARIANT* result,
                   [[maybe_unused]] UINT* argumentError, std::index_sequence<K...>)
{
    using Traits = MemberTraits<decltype(F)>;
    constexpr std::size_t arity = Traits::kArity;
    static_assert(!kRetval || arity > 0, "a retval member needs an out-parameter");
    constexpr std::size_t inputs = arity - (kRetval ? 1 : 0);
    if (params.cArgs != inputs) return DISP_E_BADPARAMCOUNT;
    std::tuple<typename SlotFor<std::tuple_element_t<K, typename Traits::Arguments>, kRetval && K + 1 == arity>::type...> decoded;
    HRESULT hr = S_OK;
    ((hr = SUCCEEDED(hr) ? LoadSlot(std::get<K>(decoded), params, K, argumentError) : hr), ...);
    if (FAILED(hr)) return hr;
    auto* object = static_cast<typename Traits::Interface*>(self);
    hr = (object->*F)(std::get<K>(decoded).get()...);
    if (SUCCEEDED(hr)) (StoreSlot(std::get<K>(decoded), result), ...);
    return hr;
}

template <auto F, bool kRetval>
HRESULT Thunk(void* self, DISPPARAMS& params, VARIANT* result, UINT* argumentError)
{
    return CallMember<F, kRetval>(self, params, result, argumentError,
                                  std::make_index_sequence<MemberTraits<decltype(F)>::kArity>{});
}

}  // namespace detail

// Marks a member whose last parameter is [out, retval].
inline constexpr bool kRetval = true;

template <auto F, bool kHasRetval = false>
constexpr DispatchMember Method(DISPID id, const char16_t* name)
{
    return {id, name, WORD(DISPATCH_METHOD | (kHasRetval ? DISPATCH_PROPERTYGET : 0)), &detail::Thunk<F, kHasRetval>};
}

template <auto F>
constexpr DispatchMember PropertyGet(DISPID id, const char16_t* name)
{
    return {id, name, DISPATCH_PROPERTYGET, &detail::Thunk<F, true>};
}

template <auto F>
constexpr DispatchMember PropertyPut(DISPID id, const char16_t* name)
{
    return {id, name, DISPATCH_PROPERTYPUT, &detail::Thunk<F, false>};
}

// Encodes a value for an outgoing dispatch call (events): the variant owns copies and references.
inline Variant ToVariant(LONG value) { return Variant(value); }
inline Variant ToVariant(VARIANT_BOOL value) { Variant v; v.vt = VT_BOOL; v.boolVal = value; return v; }
inline Variant ToVariant(double value) { Variant v; v.vt = VT_R8; v.dblVal = value; return v; }
inline Variant ToVariant(BSTR value) { return Variant::FromString(value); }
template <class I>
    requires std::is_base_of_v<IUnknown, I>
Variant ToVariant(I* value)
{
    if constexpr (std::is_base_of_v<IDispatch, I>) return Variant::FromDispatch(value);
    else return Variant::FromUnknown(value);
}
template <detail::HandlePointer H>
Variant ToVariant(H value)
{
    Variant v;
    v.vt = VT_I8;
    v.llVal = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(value));
    return v;
}
// A string passed by reference: the callee reads and may replace the caller's string.
inline Variant ToVariant(BSTR* value)
{
    Variant v;
    v.vt = VT_BYREF | VT_BSTR;
    v.pbstrVal = value;
    return v;
}
template <Record R>
Variant ToVariant(const R* value)
{
    Variant v;
    v.vt = VT_RECORD;
    v.record.pRecInfo = &RecordTypeOf(static_cast<const R*>(nullptr));
    v.record.pvRecord = std::malloc(sizeof(R));
    if (v.record.pvRecord && value) std::memcpy(v.record.pvRecord, value, sizeof(R));
    return v;
}

// The arguments of an outgoing dispatch call, encoded and kept in the reverse order that Invoke
// expects; the variants own copies and references for as long as the list lives.
template <std::size_t N>
class ArgumentList {
public:
    template <class... Args>
    explicit ArgumentList(Args&&... args) : params_{values_, nullptr, static_cast<UINT>(N), 0}
    {
        std::size_t position = N;
        ((values_[--position] = ToVariant(std::forward<Args>(args))), ...);
    }
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;

    DISPPARAMS& params() { return params_; }

private:
    Variant values_[N + 1];
    DISPPARAMS params_;
};

template <class... Args>
ArgumentList(Args&&...) -> ArgumentList<sizeof...(Args)>;

// Calls a member through IDispatch::Invoke with arguments in their natural order.
template <class... Args>
HRESULT InvokeMethod(IDispatch* target, DISPID id, VARIANT* result, Args&&... args)
{
    ArgumentList arguments(std::forward<Args>(args)...);
    return target->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &arguments.params(), result, nullptr, nullptr);
}

}  // namespace com
