#pragma once

#include "platform/com/persist.h"
#include "platform/com/variant.h"

#include <string>
#include <vector>

// A persistable component for the bag's tests, built as a module of its own and registered in the
// test's registry, so that the bag creates it by class identifier like any stored component.
//
// Save writes the properties given with Add, in order, after a property "ProbeNames" listing them,
// and succeeds whatever the writes answer.
// Load reads "ProbeNames" and then each listed property (with the wanted type given to Add) and
// keeps what every Read answered. A stored "ProbeLoadResult" is what Load then returns.
inline constexpr com::CLSID CLSID_PropertyProbe = com::MakeGuid("{5A1E0B7C-3D2F-4E61-9A8B-7C6D5E4F3A21}");
inline constexpr com::IID IID_IPropertyProbe = com::MakeGuid("{5A1E0B7C-3D2F-4E61-9A8B-7C6D5E4F3A22}");

struct ProbeRead {
    std::u16string name;
    com::HRESULT result;
    com::Variant value;
};

struct IPropertyProbe : com::IUnknown {
    static constexpr const com::IID& kIid = IID_IPropertyProbe;
    using Base = com::IUnknown;
    virtual void Add(std::u16string name, com::Variant value, com::VARTYPE wanted) = 0;
    virtual const std::vector<ProbeRead>& Reads() const = 0;
    // What each Write of the last Save answered, "ProbeNames" first.
    virtual const std::vector<com::HRESULT>& Writes() const = 0;
    // What SaveToStream answered when Load tried to start a second operation on its bag.
    virtual com::HRESULT NestedOperationResult() const = 0;
    // The error log the last Load was given.
    virtual com::IErrorLog* LoadErrorLog() const = 0;

protected:
    ~IPropertyProbe() = default;
};
