#include "platform/com/variant.h"

#include "platform/com/dispatch.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace com {

void VariantInit(VARIANT* value)
{
    value->vt = VT_EMPTY;
    value->reserved1 = value->reserved2 = value->reserved3 = 0;
    value->llVal = 0;
}

HRESULT VariantClear(VARIANT* value)
{
    if (!value) return E_INVALIDARG;
    if (!(value->vt & VT_BYREF)) {
        switch (value->vt) {
        case VT_BSTR:
            SysFreeString(value->bstrVal);
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (value->punkVal) value->punkVal->Release();
            break;
        case VT_RECORD:
            std::free(value->record.pvRecord);
            break;
        default:
            break;
        }
    }
    VariantInit(value);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source)
{
    if (!target || !source) return E_INVALIDARG;
    if (target == source) return S_OK;
    VARIANT copy = *source;
    if (!(source->vt & VT_BYREF)) {
        switch (source->vt) {
        case VT_BSTR:
            if (source->bstrVal) {
                copy.bstrVal = Bstr::Copy(source->bstrVal);
                if (!copy.bstrVal) return E_OUTOFMEMORY;
            }
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (source->punkVal) source->punkVal->AddRef();
            break;
        case VT_RECORD:
            if (source->record.pvRecord && source->record.pRecInfo) {
                const std::size_t size = source->record.pRecInfo->size;
                copy.record.pvRecord = std::malloc(size);
                if (!copy.record.pvRecord) return E_OUTOFMEMORY;
                std::memcpy(copy.record.pvRecord, source->record.pvRecord, size);
            }
            break;
        default:
            break;
        }
    }
    VariantClear(target);
    *target = copy;
    return S_OK;
}

namespace {

// A value read out of a variant in one of three shapes, the common ground of every conversion.
struct Scalar {
    enum Kind { Integer, Real, Text } kind = Integer;
    std::int64_t integer = 0;
    double real = 0;
    std::u16string text;
};

}  // namespace

std::size_t VariantScalarSize(VARTYPE type)
{
    switch (type) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: case VT_R4: return 4;
    case VT_I8: case VT_UI8: case VT_R8: return 8;
    default: return 0;
    }
}

namespace {

// A shallow view of what a by-reference variant points at; owns nothing.
VARIANT Dereferenced(const VARIANT& source)
{
    if (!(source.vt & VT_BYREF)) return source;
    const VARTYPE type = source.vt & ~VT_BYREF;
    if (type == VT_VARIANT) return source.pvarVal ? Dereferenced(*source.pvarVal) : VARIANT{};
    VARIANT view;
    VariantInit(&view);
    view.vt = type;
    if (!source.byref) return view;
    switch (type) {
    case VT_BSTR: view.bstrVal = *source.pbstrVal; break;
    case VT_UNKNOWN: case VT_DISPATCH: view.punkVal = *source.ppunkVal; break;
    default: std::memcpy(&view.llVal, source.byref, VariantScalarSize(type)); break;
    }
    return view;
}

// Reads a simple value into a Scalar; false when there is nothing to convert.
bool ReadScalar(const VARIANT& source, Scalar& out, bool& isNullText)
{
    isNullText = false;
    switch (source.vt) {
    case VT_EMPTY: out.integer = 0; return true;
    case VT_I1: out.integer = source.cVal; return true;
    case VT_UI1: out.integer = source.bVal; return true;
    case VT_I2: out.integer = source.iVal; return true;
    case VT_UI2: out.integer = source.uiVal; return true;
    case VT_I4: case VT_INT: out.integer = source.lVal; return true;
    case VT_UI4: case VT_UINT: out.integer = source.ulVal; return true;
    case VT_ERROR: out.integer = source.scode; return true;
    case VT_I8: out.integer = source.llVal; return true;
    case VT_UI8:
        if (source.ullVal > std::uint64_t(std::numeric_limits<std::int64_t>::max())) {
            out.kind = Scalar::Real;
            out.real = double(source.ullVal);
        } else {
            out.integer = std::int64_t(source.ullVal);
        }
        return true;
    case VT_BOOL: out.integer = source.boolVal; return true;
    case VT_R4: out.kind = Scalar::Real; out.real = source.fltVal; return true;
    case VT_R8: out.kind = Scalar::Real; out.real = source.dblVal; return true;
    case VT_BSTR:
        out.kind = Scalar::Text;
        out.text = std::u16string(View(source.bstrVal));
        isNullText = source.bstrVal == nullptr;
        return true;
    default:
        return false;
    }
}

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string FormatReal(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Ascii(std::string(buffer, result.ptr));
}

// Parses a whole decimal number (surrounding spaces allowed) as an integer or a real.
HRESULT ParseNumber(const std::u16string& text, Scalar& out)
{
    std::string narrow;
    for (char16_t c : text) {
        if (c > 0x7F) return DISP_E_TYPEMISMATCH;
        narrow.push_back(static_cast<char>(c));
    }
    const auto first = narrow.find_first_not_of(" \t");
    const auto last = narrow.find_last_not_of(" \t");
    if (first == std::string::npos) return DISP_E_TYPEMISMATCH;
    const std::string trimmed = narrow.substr(first, last - first + 1);
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (*begin == '+') ++begin;
    std::int64_t integer = 0;
    auto [ptr, ec] = std::from_chars(begin, end, integer);
    if (ec == std::errc() && ptr == end) {
        out.kind = Scalar::Integer;
        out.integer = integer;
        return S_OK;
    }
    if (ec == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
    double real = 0;
    auto [realEnd, realError] = std::from_chars(begin, end, real);
    if (realError == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
    if (realError != std::errc() || realEnd != end) return DISP_E_TYPEMISMATCH;
    out.kind = Scalar::Real;
    out.real = real;
    return S_OK;
}

template <class T>
HRESULT ToInteger(const Scalar& value, T& out)
{
    if (value.kind == Scalar::Real) {
        if (!std::isfinite(value.real)) return DISP_E_OVERFLOW;
        // Banker's rounding, as variant conversion of reals to integers does.
        const double rounded = std::nearbyint(value.real);
        if (rounded < double(std::numeric_limits<T>::min()) || rounded > double(std::numeric_limits<T>::max()))
            return DISP_E_OVERFLOW;
        out = static_cast<T>(rounded);
        return S_OK;
    }
    if (value.integer < std::int64_t(std::numeric_limits<T>::min()) ||
        (value.integer > 0 && std::uint64_t(value.integer) > std::uint64_t(std::numeric_limits<T>::max())))
        return DISP_E_OVERFLOW;
    out = static_cast<T>(value.integer);
    return S_OK;
}

}  // namespace

HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, WORD, VARTYPE type)
{
    if (!target || !source) return E_INVALIDARG;
    if (type & (VT_BYREF | VT_ARRAY)) return DISP_E_BADVARTYPE;

    const VARIANT view = Dereferenced(*source);
    const VARTYPE sourceType = view.vt;
    if (sourceType == type) return VariantCopy(target, &view);

    if (type == VT_UNKNOWN || type == VT_DISPATCH) {
        if (sourceType != VT_UNKNOWN && sourceType != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
        IUnknown* object = view.punkVal;
        VARIANT result;
        VariantInit(&result);
        result.vt = type;
        if (object) {
            const HRESULT hr = object->QueryInterface(type == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                                                      reinterpret_cast<void**>(&result.punkVal));
            if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
        }
        VariantClear(target);
        *target = result;
        return S_OK;
    }

    Scalar value;
    bool isNullText = false;
    if (!ReadScalar(view, value, isNullText)) return DISP_E_TYPEMISMATCH;
    if (value.kind == Scalar::Text && type != VT_BSTR) {
        if (type == VT_BOOL) {
            if (value.text == u"True" || value.text == u"true" || value.text == u"#TRUE#") { value.kind = Scalar::Integer; value.integer = -1; }
            else if (value.text == u"False" || value.text == u"false" || value.text == u"#FALSE#") { value.kind = Scalar::Integer; value.integer = 0; }
        }
        if (value.kind == Scalar::Text) {
            const HRESULT hr = ParseNumber(value.text, value);
            if (FAILED(hr)) return hr;
        }
    }

    VARIANT result;
    VariantInit(&result);
    result.vt = type;
    HRESULT hr = S_OK;
    switch (type) {
    case VT_EMPTY: break;
    case VT_I1: hr = ToInteger(value, result.cVal); break;
    case VT_UI1: hr = ToInteger(value, result.bVal); break;
    case VT_I2: hr = ToInteger(value, result.iVal); break;
    case VT_UI2: hr = ToInteger(value, result.uiVal); break;
    case VT_I4: case VT_INT: hr = ToInteger(value, result.lVal); break;
    case VT_UI4: case VT_UINT: hr = ToInteger(value, result.ulVal); break;
    case VT_ERROR: hr = ToInteger(value, result.scode); break;
    case VT_I8: hr = ToInteger(value, result.llVal); break;
    case VT_UI8: hr = ToInteger(value, result.ullVal); break;
    case VT_R4: result.fltVal = float(value.kind == Scalar::Real ? value.real : double(value.integer)); break;
    case VT_R8: result.dblVal = value.kind == Scalar::Real ? value.real : double(value.integer); break;
    case VT_BOOL:
        result.boolVal = (value.kind == Scalar::Real ? value.real != 0 : value.integer != 0) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_BSTR: {
        std::u16string text;
        if (value.kind == Scalar::Text) text = value.text;
        else if (sourceType == VT_BOOL) text = value.integer ? u"True" : u"False";
        else if (value.kind == Scalar::Real) text = FormatReal(value.real);
        else text = Ascii(std::to_string(value.integer));
        if (sourceType == VT_EMPTY || isNullText) text.clear();
        result.bstrVal = Bstr(text).detach();
        if (!result.bstrVal) hr = E_OUTOFMEMORY;
        break;
    }
    default:
        hr = DISP_E_TYPEMISMATCH;
    }
    if (FAILED(hr)) return hr;
    VariantClear(target);
    *target = result;
    return S_OK;
}

Variant Variant::FromUnknown(IUnknown* value)
{
    Variant v;
    v.vt = VT_UNKNOWN;
    v.punkVal = value;
    if (value) value->AddRef();
    return v;
}

Variant Variant::FromDispatch(IDispatch* value)
{
    Variant v;
    v.vt = VT_DISPATCH;
    v.pdispVal = value;
    if (value) value->AddRef();
    return v;
}

}  // namespace com
