#pragma once

#include "platform/com/bstr.h"
#include "platform/com/export.h"
#include "platform/com/unknown.h"

#include <cstdint>
#include <utility>

namespace com {

struct IDispatch;

using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using SCODE = HRESULT;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum : VARTYPE {
    VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R4 = 4, VT_R8 = 5, VT_BSTR = 8,
    VT_DISPATCH = 9, VT_ERROR = 10, VT_BOOL = 11, VT_VARIANT = 12, VT_UNKNOWN = 13, VT_I1 = 16,
    VT_UI1 = 17, VT_UI2 = 18, VT_UI4 = 19, VT_I8 = 20, VT_UI8 = 21, VT_INT = 22, VT_UINT = 23,
    VT_RECORD = 36,
    VT_ARRAY = 0x2000, VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

// A structure that variants carry by value (VT_RECORD): its identity, the type library that
// describes it, and its fields, so that generic code (dispatch, persistence) can copy and store it.
struct RecordField {
    const char16_t* name;
    VARTYPE type;  // a simple type: VT_I4, VT_R8, ...
    std::size_t offset;
};

struct RecordType {
    GUID guid;
    const char16_t* name;
    std::size_t size;
    const RecordField* fields;
    std::size_t fieldCount;
    GUID libraryId;
    WORD majorVersion;
    WORD minorVersion;
    DWORD locale;
};

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    WORD reserved1 = 0;
    WORD reserved2 = 0;
    WORD reserved3 = 0;
    union {
        std::int64_t llVal;
        std::uint64_t ullVal;
        LONG lVal;
        ULONG ulVal;
        std::int16_t iVal;
        std::uint16_t uiVal;
        std::int8_t cVal;
        std::uint8_t bVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        LONG* plVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
        void* byref;
        struct {
            void* pvRecord;
            const RecordType* pRecInfo;
        } record;
    };
};

using VARIANTARG = VARIANT;

inline constexpr WORD VARIANT_NOVALUEPROP = 0x1;

PINLORE_COM_EXPORT void VariantInit(VARIANT* value);
// Frees what the variant owns (string, reference, record) and leaves it VT_EMPTY.
PINLORE_COM_EXPORT HRESULT VariantClear(VARIANT* value);
// Deep copy: strings and records are duplicated, references taken.
PINLORE_COM_EXPORT HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
// Converts between strings, numbers, booleans and errors; a by-reference source is read through.
// Answers DISP_E_TYPEMISMATCH for conversions that do not exist and DISP_E_OVERFLOW when a number
// does not fit. `target` may be `source`.
PINLORE_COM_EXPORT HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, WORD flags, VARTYPE type);

// Bytes of the value of a simple numeric type (VT_I1 ... VT_R8, VT_BOOL, VT_ERROR); 0 for others.
PINLORE_COM_EXPORT std::size_t VariantScalarSize(VARTYPE type);

// Owns one VARIANT; cleared when it goes.
class PINLORE_COM_EXPORT Variant : public VARIANT {
public:
    Variant() = default;
    explicit Variant(LONG value) { vt = VT_I4; lVal = value; }
    static Variant FromBool(bool value) { Variant v; v.vt = VT_BOOL; v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; return v; }
    static Variant FromError(SCODE code) { Variant v; v.vt = VT_ERROR; v.scode = code; return v; }
    // Copies the string (null stays null, still typed VT_BSTR).
    static Variant FromString(BSTR value) { Variant v; v.vt = VT_BSTR; v.bstrVal = Bstr::Copy(value); return v; }
    static Variant FromString(std::u16string_view value) { Variant v; v.vt = VT_BSTR; v.bstrVal = Bstr(value).detach(); return v; }
    // Takes a reference.
    static Variant FromUnknown(IUnknown* value);
    static Variant FromDispatch(IDispatch* value);

    Variant(const Variant& other) : VARIANT() { VariantCopy(this, &other); }
    Variant(Variant&& other) noexcept : VARIANT(other) { other.vt = VT_EMPTY; }
    Variant& operator=(const Variant& other) { if (this != &other) VariantCopy(this, &other); return *this; }
    Variant& operator=(Variant&& other) noexcept
    {
        if (this != &other) {
            VariantClear(this);
            static_cast<VARIANT&>(*this) = other;
            other.vt = VT_EMPTY;
        }
        return *this;
    }
    ~Variant() { VariantClear(this); }

    void clear() { VariantClear(this); }
    VARIANT* get() { return this; }
};

}  // namespace com
