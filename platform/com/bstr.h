#pragma once

#include "platform/com/export.h"
#include "platform/com/hresult.h"

#include <string>
#include <string_view>
#include <utility>

namespace com {

// A length-prefixed UTF-16 string: a 32-bit byte count stands before the characters and a zero
// after them. A null BSTR and an empty one are different values and are kept apart everywhere.
using OLECHAR = char16_t;
using BSTR = OLECHAR*;

PINLORE_COM_EXPORT BSTR SysAllocString(const OLECHAR* text);
PINLORE_COM_EXPORT BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
PINLORE_COM_EXPORT void SysFreeString(BSTR text);
PINLORE_COM_EXPORT UINT SysStringLen(BSTR text);

PINLORE_COM_EXPORT std::u16string Utf8ToUtf16(std::string_view text);
// A BSTR holding UTF-8 text; null only when memory runs out.
PINLORE_COM_EXPORT BSTR SysAllocStringFromUtf8(std::string_view text);
PINLORE_COM_EXPORT std::string Utf16ToUtf8(std::u16string_view text);

// Owns one BSTR. Copying copies the characters; null stays null.
class PINLORE_COM_EXPORT Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text);
    explicit Bstr(const char16_t* text) : value_(SysAllocString(text)) {}
    static Bstr FromUtf8(std::string_view text) { return Attach(SysAllocStringFromUtf8(text)); }
    // Takes ownership of a BSTR that the caller allocated.
    static Bstr Attach(BSTR value) { Bstr owner; owner.value_ = value; return owner; }

    Bstr(const Bstr& other) : value_(Copy(other.value_)) {}
    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr other) noexcept { std::swap(value_, other.value_); return *this; }
    ~Bstr() { SysFreeString(value_); }

    BSTR get() const { return value_; }
    // For out-parameters: frees what is held first.
    BSTR* put() { reset(); return &value_; }
    BSTR detach() { return std::exchange(value_, nullptr); }
    void reset() { SysFreeString(std::exchange(value_, nullptr)); }

    bool isNull() const { return value_ == nullptr; }
    UINT length() const { return SysStringLen(value_); }
    std::u16string_view view() const { return value_ ? std::u16string_view(value_, length()) : std::u16string_view(); }
    std::string toUtf8() const { return Utf16ToUtf8(view()); }

    // A fresh BSTR with the same characters (null for null).
    static BSTR Copy(BSTR value) { return value ? SysAllocStringLen(value, SysStringLen(value)) : nullptr; }

    friend bool operator==(const Bstr& a, const Bstr& b) { return a.isNull() == b.isNull() && a.view() == b.view(); }

private:
    BSTR value_ = nullptr;
};

// The characters of a BSTR, null as empty: for callers that treat both alike.
inline std::u16string_view View(BSTR value)
{
    return value ? std::u16string_view(value, SysStringLen(value)) : std::u16string_view();
}

}  // namespace com
