#pragma once

#include "platform/com/bstr.h"
#include "platform/com/persist.h"
#include "platform/com/variant.h"

#include <functional>
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
// A path read from `bag` as the file it names is now to be found: a bag that reads a map from a file
// knows where a moved map's files went (ILocatingPropertyBag); any other bag gives it back as read.
// Null stays null. Throws std::bad_alloc when the string cannot be copied.
com::Bstr LocatedPath(com::IPropertyBag& bag, com::Bstr stored);
// The text of a value read: nullopt when it holds nothing or has no text form. Throws
// std::bad_alloc when the string cannot be copied.
std::optional<com::Bstr> StringOf(const com::Variant& value);

// Reads the numbered keys (`key` of the index) from index 0 for a stored count, and hands every
// value that is there to `take`. The stored count is not trusted, so that a damaged one can neither
// hang a load nor lose the entries after a gap: a bag that can count its properties (IPropertyCount)
// is asked for at most that many keys, and a missing key among them is skipped; a bag that cannot
// count is read up to its first missing key.
void ReadNumbered(com::IPropertyBag& bag, std::u16string (*key)(com::LONG index), com::LONG storedCount,
                  com::IErrorLog* errorLog, const std::function<void(const com::Variant&)>& take);

}  // namespace document
