#pragma once

#include "platform/com/bstr.h"
#include "platform/com/dispatch_table.h"

#include <initializer_list>

// Calling components the way script and the application's sinks do: through IDispatch, by DISPID.
namespace test_support {

// Calls a method with arguments in their natural order; throws com::ComError when Invoke fails.
template <class... Args>
com::Variant Call(com::IDispatch* target, com::DISPID id, Args&&... args)
{
    com::Variant result;
    com::ThrowIfFailed(com::InvokeMethod(target, id, &result, std::forward<Args>(args)...));
    return result;
}

// Calls a method whose only parameter is an output passed by reference (not the return value).
com::Bstr CallForString(com::IDispatch* target, com::DISPID id);
com::VARIANT_BOOL CallForBool(com::IDispatch* target, com::DISPID id);

struct NamedId {
    const char16_t* name;
    com::DISPID id;
};
// Every name resolves to its DISPID, whatever its case.
void ExpectDispatchIds(com::IDispatch* target, std::initializer_list<NamedId> table);

// An interface of a dual component as the IDispatch whose Invoke serves that interface's table.
template <class I>
com::IDispatch* AsDispatch(const com::ComPtr<I>& object)
{
    return static_cast<com::IDispatch*>(object.get());
}

}  // namespace test_support
