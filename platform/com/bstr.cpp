#include "platform/com/bstr.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace com {

namespace {
constexpr std::size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text)
{
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefix);
}
}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    // Byte count must fit the 32-bit prefix.
    if (length > (std::numeric_limits<std::uint32_t>::max() - kPrefix) / sizeof(OLECHAR) - 1)
        return nullptr;
    const std::size_t bytes = std::size_t(length) * sizeof(OLECHAR);
    auto* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    const auto prefix = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &prefix, kPrefix);
    auto* chars = reinterpret_cast<OLECHAR*>(block + kPrefix);
    if (text) std::memcpy(chars, text, bytes);
    else std::memset(chars, 0, bytes);
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

void SysFreeString(BSTR text)
{
    if (text) std::free(PrefixOf(text));
}

UINT SysStringLen(BSTR text)
{
    if (!text) return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, PrefixOf(text), kPrefix);
    return bytes / sizeof(OLECHAR);
}

Bstr::Bstr(std::u16string_view text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

std::u16string Utf8ToUtf16(std::string_view text)
{
    // Paths and keys are mostly ASCII: copy that run in one pass before decoding the rest.
    std::size_t ascii = 0;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    std::u16string out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(ascii));
    if (ascii == text.size()) return out;
    out.reserve(text.size());
    for (std::size_t i = ascii; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t code = 0xFFFD;
        std::size_t extra = 0;
        if (lead < 0x80) { code = lead; }
        else if ((lead & 0xE0) == 0xC0) { code = lead & 0x1F; extra = 1; }
        else if ((lead & 0xF0) == 0xE0) { code = lead & 0x0F; extra = 2; }
        else if ((lead & 0xF8) == 0xF0) { code = lead & 0x07; extra = 3; }
        else { out.push_back(u'\xFFFD'); ++i; continue; }
        if (i + extra >= text.size() && extra > 0) {
            out.push_back(u'\xFFFD');
            break;
        }
        bool valid = true;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) { valid = false; break; }
            code = code << 6 | (next & 0x3F);
        }
        if (!valid || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out.push_back(u'\xFFFD');
            ++i;
            continue;
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

BSTR SysAllocStringFromUtf8(std::string_view text)
{
    // ASCII, the common case, widens straight into the string without an intermediate copy.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        const std::u16string wide = Utf8ToUtf16(text);
        return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (result) std::copy(text.begin(), text.end(), result);
    return result;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
    std::string out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(ascii));
    if (ascii == text.size()) return out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t i = ascii; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | code >> 6));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | code >> 12));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | code >> 18));
            out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

}  // namespace com
