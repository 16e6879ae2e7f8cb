#include "tests/support/dispatch_calls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace test_support {

namespace {
com::HRESULT InvokeByReference(com::IDispatch* target, com::DISPID id, com::VARTYPE type, void* storage)
{
    com::VARIANT argument;
    com::VariantInit(&argument);
    argument.vt = com::VT_BYREF | type;
    argument.byref = storage;
    com::DISPPARAMS params{&argument, nullptr, 1, 0};
    return target->Invoke(id, com::GUID_NULL, 0, com::DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}
}  // namespace

com::Bstr CallForString(com::IDispatch* target, com::DISPID id)
{
    com::BSTR value = nullptr;
    const com::HRESULT hr = InvokeByReference(target, id, com::VT_BSTR, &value);
    com::Bstr owned = com::Bstr::Attach(value);
    com::ThrowIfFailed(hr);
    return owned;
}

com::VARIANT_BOOL CallForBool(com::IDispatch* target, com::DISPID id)
{
    com::VARIANT_BOOL value = 0;
    com::ThrowIfFailed(InvokeByReference(target, id, com::VT_BOOL, &value));
    return value;
}

void ExpectDispatchIds(com::IDispatch* target, std::initializer_list<NamedId> table)
{
    for (const NamedId& entry : table) {
        std::u16string upper(entry.name);
        for (char16_t& c : upper) c = c < 128 ? static_cast<char16_t>(std::toupper(c)) : c;
        for (const std::u16string& name : {std::u16string(entry.name), upper}) {
            const com::OLECHAR* names[] = {name.c_str()};
            com::DISPID id = -1;
            EXPECT_EQ(target->GetIDsOfNames(com::GUID_NULL, names, 1, 0, &id), com::S_OK) << com::Utf16ToUtf8(name);
            EXPECT_EQ(id, entry.id) << com::Utf16ToUtf8(name);
        }
    }
}

}  // namespace test_support
