#include "components/document/property_values.h"

#include "components/document/string_copy.h"

#include "components/interfaces/file_locator.h"
#include "components/persistence/property_count.h"
#include "platform/com/com_ptr.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace document {

std::u16string IndexedKey(std::u16string_view prefix, com::LONG index, std::u16string_view suffix)
{
    const std::string digits = std::to_string(index);
    std::u16string key(prefix);
    key.append(digits.begin(), digits.end());
    key.append(suffix);
    return key;
}

void WriteLong(com::IPropertyBag& bag, const std::u16string& key, com::LONG value)
{
    com::Variant variant(value);
    bag.Write(key.c_str(), &variant);
}

void WriteString(com::IPropertyBag& bag, const std::u16string& key, com::BSTR value)
{
    com::Variant variant = com::Variant::FromString(value);
    if (value && !variant.bstrVal) variant = com::Variant::FromError(com::E_OUTOFMEMORY);
    bag.Write(key.c_str(), &variant);
}

void WriteObject(com::IPropertyBag& bag, const std::u16string& key, com::IDispatch* value)
{
    com::Variant variant = com::Variant::FromDispatch(value);
    bag.Write(key.c_str(), &variant);
}

std::optional<com::Variant> ReadValue(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog)
{
    com::Variant value;
    if (com::FAILED(bag.Read(key.c_str(), &value, errorLog))) return std::nullopt;
    return value;
}

std::optional<com::LONG> ReadLong(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog)
{
    std::optional<com::Variant> value = ReadValue(bag, key, errorLog);
    if (!value || value->vt == com::VT_EMPTY) return std::nullopt;
    com::Variant number;
    if (com::FAILED(com::VariantChangeType(&number, &*value, 0, com::VT_I4))) return std::nullopt;
    return number.lVal;
}

std::optional<com::Bstr> ReadString(com::IPropertyBag& bag, const std::u16string& key, com::IErrorLog* errorLog)
{
    const std::optional<com::Variant> value = ReadValue(bag, key, errorLog);
    return value ? StringOf(*value) : std::nullopt;
}

com::Bstr LocatedPath(com::IPropertyBag& bag, com::Bstr stored)
{
    com::ComPtr<ILocatingPropertyBag> locating;
    if (stored.isNull() || com::FAILED(bag.QueryInterface(ILocatingPropertyBag::kIid, locating.putVoid())) || !locating)
        return stored;
    com::Bstr located;
    if (com::FAILED(locating->LocateFile(stored.get(), located.put())) || located.isNull()) return stored;
    return located;
}

std::optional<com::Bstr> StringOf(const com::Variant& value)
{
    if (value.vt == com::VT_EMPTY) return std::nullopt;
    if (value.vt == com::VT_BSTR) return CopyString(value.bstrVal);
    com::Variant text;
    const com::HRESULT hr = com::VariantChangeType(&text, &value, 0, com::VT_BSTR);
    if (hr == com::E_OUTOFMEMORY) throw std::bad_alloc();
    if (com::FAILED(hr)) return std::nullopt;
    return CopyString(text.bstrVal);
}

void ReadNumbered(com::IPropertyBag& bag, std::u16string (*key)(com::LONG index), com::LONG storedCount,
                  com::IErrorLog* errorLog, const std::function<void(const com::Variant&)>& take)
{
    com::ComPtr<IPropertyCount> counter;
    com::ULONG present = 0;
    const bool counted = com::SUCCEEDED(bag.QueryInterface(IPropertyCount::kIid, counter.putVoid())) && counter &&
                         com::SUCCEEDED(counter->CountProperties(&present));
    const com::LONG reads = counted ? static_cast<com::LONG>(std::min<std::int64_t>(storedCount, present)) : storedCount;
    for (com::LONG i = 0; i < reads; ++i) {
        const std::optional<com::Variant> value = ReadValue(bag, key(i), errorLog);
        if (!value) continue;
        if (value->vt == com::VT_EMPTY) {
            if (counted) continue;
            break;
        }
        take(*value);
    }
}

}  // namespace document
