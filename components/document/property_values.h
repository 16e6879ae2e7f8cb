#pragma once

#include "platform/com/bstr.h"
#include "platform/com/persist.h"
#include "platform/com/variant.h"

#include <optional>
#include <string>
#include <string_view>

// Typed reading and writing of the values that documents and spots keep in a property bag. Writes
// ignore the bag's answer (a partly written file is the bag's failure to report). Reads tell a
// missing or unreadable value (nullopt) from a stored zero or empty string.
namespace document {

// "Spot_%d_Key" with the decimal index in place of %d.
std::u16string IndexedKey(std::u16string_view prefix, com::LONG index, std::u16string_view suffix);

void WriteLong(com::IPropertyBag& bag, const std::u16string& key, com::LONG value);
// A string that cannot be copied is written as the error E_OUTOFMEMORY in its place.
void WriteString(com::IPropertyBag& bag, const std::u16string& key, com::BSTR value);
void WriteObject(com::IPropertyBag& bag, const std::u16string& key, com::IDispatch* value);

// nullopt when the key is missing or its value is not a number that fits.
std::optional<com::LONG> ReadLong(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog);
// nullopt when the key is missing, holds nothing, or holds a value without a text form. A stored
// null string is given as a null Bstr. Throws std::bad_alloc when the string cannot be copied.
std::optional<com::Bstr> ReadString(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog);
// nullopt when the key is missing; else the value as stored.
std::optional<com::Variant> ReadValue(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog);

}  // namespace document
