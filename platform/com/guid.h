#pragma once

#include "platform/com/export.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

// A 128-bit identifier of a class, interface, type library or record type. Written in registry
// form: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case on output, either case on input.
struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;
using REFIID = const GUID&;
using REFCLSID = const GUID&;

inline constexpr GUID GUID_NULL{};

namespace detail {
constexpr int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Parses exactly the braced registry form; gives nullopt for anything else.
constexpr std::optional<GUID> ParseRegistryForm(std::string_view text)
{
    constexpr std::string_view shape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != shape.size()) return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    int nibble = 0;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] != 'X') {
            if (text[i] != shape[i]) return std::nullopt;
            continue;
        }
        const int value = HexValue(text[i]);
        if (value < 0) return std::nullopt;
        bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] << 4 | value);
        ++nibble;
    }
    GUID guid;
    guid.Data1 = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
    guid.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.Data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i) guid.Data4[i] = bytes[8 + i];
    return guid;
}
}  // namespace detail

// For GUID constants written in source: a malformed literal fails to compile.
consteval GUID MakeGuid(std::string_view registryForm)
{
    const auto guid = detail::ParseRegistryForm(registryForm);
    if (!guid) throw "malformed GUID literal";
    return *guid;
}

PINLORE_COM_EXPORT std::optional<GUID> ParseGuid(std::string_view registryForm);
PINLORE_COM_EXPORT std::string FormatGuid(const GUID& guid);

}  // namespace com
