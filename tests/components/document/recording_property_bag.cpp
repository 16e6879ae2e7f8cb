#include "tests/components/document/recording_property_bag.h"

com::HRESULT RecordingPropertyBag::Read(const com::OLECHAR* name, com::VARIANT* value, com::IErrorLog* errorLog) noexcept
{
    if (!name || !value) return com::E_POINTER;
    reads_.emplace_back(name);
    logs_.push_back(errorLog);
    const auto found = values_.find(name);
    // As the XML property bag answers: a missing property is empty, not an error.
    if (found == values_.end()) {
        com::VariantInit(value);
        return com::S_OK;
    }
    return com::VariantCopy(value, &found->second);
}

com::HRESULT RecordingPropertyBag::CountProperties(com::ULONG* count) noexcept
{
    if (!count) return com::E_POINTER;
    if (!counting_) return com::E_FAIL;
    *count = static_cast<com::ULONG>(values_.size());
    return com::S_OK;
}

com::HRESULT RecordingPropertyBag::Write(const com::OLECHAR* name, com::VARIANT* value) noexcept
{
    if (!name || !value) return com::E_POINTER;
    com::Variant copy;
    com::VariantCopy(&copy, value);
    writes_.emplace_back(name, copy);
    values_[name] = std::move(copy);
    return com::S_OK;
}

std::vector<std::u16string> RecordingPropertyBag::writtenNames() const
{
    std::vector<std::u16string> names;
    for (const auto& write : writes_) names.push_back(write.first);
    return names;
}
