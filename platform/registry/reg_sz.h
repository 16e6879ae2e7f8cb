#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a REG_SZ value: UTF-16LE code units ending in a zero unit, as Windows stores them,
// so files and tools that exchange raw registry data see the same bytes on both platforms.
namespace registry {

// Nothing when the text is not well-formed UTF-8: storing a guess would change the caller's data.
std::optional<std::vector<std::uint8_t>> EncodeRegSz(std::string_view utf8);

// Reads up to the first zero unit or the end of the data, whichever comes first (values written by
// other programs may lack the terminator or carry an odd trailing byte). Unpaired surrogates
// become U+FFFD.
std::string DecodeRegSz(std::span<const std::uint8_t> bytes);

}  // namespace registry
