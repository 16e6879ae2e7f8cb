#include "platform/registry/reg_sz.h"

namespace registry {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUnit(std::vector<std::uint8_t>& bytes, char16_t unit)
{
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
}

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one code point starting at text[i] and advances i; nothing for ill-formed sequences
// (overlong forms, surrogates, values past U+10FFFF, truncation).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2; c = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; c = lead & 0x0F; minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4; c = lead & 0x07; minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - i < static_cast<std::size_t>(length))
        return std::nullopt;
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    i += length;
    return c;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeRegSz(std::string_view utf8)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * utf8.size() + 2);
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> c = NextCodePoint(utf8, i);
        if (!c)
            return std::nullopt;
        if (*c < 0x10000) {
            AppendUnit(bytes, static_cast<char16_t>(*c));
        } else {
            const char32_t v = *c - 0x10000;
            AppendUnit(bytes, static_cast<char16_t>(0xD800 + (v >> 10)));
            AppendUnit(bytes, static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
    AppendUnit(bytes, 0);
    return bytes;
}

std::string DecodeRegSz(std::span<const std::uint8_t> bytes)
{
    std::string text;
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t k) {
        return static_cast<char16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
    };
    for (std::size_t k = 0; k < units; ++k) {
        const char16_t unit = unitAt(k);
        if (unit == 0)
            break;
        if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units) {
            const char16_t low = unitAt(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(text, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendUtf8(text, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : char32_t(unit));
    }
    return text;
}

}  // namespace registry
