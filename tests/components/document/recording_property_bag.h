#pragma once

#include "components/persistence/property_count.h"
#include "platform/com/implements.h"
#include "platform/com/persist.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A property bag in memory that records the order of writes and reads. What is written (or put
// beforehand) can be read back; a name that is not there reads as an empty value, as a missing key
// does in the XML property bag. Like that bag it counts its properties, unless told not to.
class RecordingPropertyBag final : public com::Implements<RecordingPropertyBag, com::IPropertyBag, IPropertyCount> {
public:
    com::HRESULT CountProperties(com::ULONG* count) noexcept override;
    void stopCounting() { counting_ = false; }

    com::HRESULT Read(const com::OLECHAR* name, com::VARIANT* value, com::IErrorLog* errorLog) noexcept override;
    com::HRESULT Write(const com::OLECHAR* name, com::VARIANT* value) noexcept override;

    void put(const std::u16string& name, com::Variant value) { values_[name] = std::move(value); }

    // Names in the order they were written, and the values written.
    std::vector<std::u16string> writtenNames() const;
    const std::vector<std::pair<std::u16string, com::Variant>>& writes() const { return writes_; }
    const std::vector<std::u16string>& readNames() const { return reads_; }
    // The error log each read was given.
    const std::vector<com::IErrorLog*>& readLogs() const { return logs_; }
    const com::Variant& value(const std::u16string& name) const { return values_.at(name); }

private:
    bool counting_ = true;
    std::map<std::u16string, com::Variant> values_;
    std::vector<std::pair<std::u16string, com::Variant>> writes_;
    std::vector<std::u16string> reads_;
    std::vector<com::IErrorLog*> logs_;
};
