#pragma once

#include "platform/com/class_factory.h"

#include <span>

namespace components {

// One component class of the library. A class whose code is not part of this build has no class
// object: it answers CLASS_E_CLASSNOTAVAILABLE and is not registered.
struct ClassEntry {
    const char* className;  // "PLDocument"
    const char* progId;     // "Components.Document.1"
    com::CLSID classId;
    bool isControl;         // registered with the control entries
    com::IClassFactory* (*classObject)();
};

struct InterfaceEntry {
    const char* name;
    com::IID iid;
};

std::span<const ClassEntry> ClassCatalogue();
std::span<const InterfaceEntry> InterfaceCatalogue();
const ClassEntry* FindClass(const com::CLSID& classId);

}  // namespace components
