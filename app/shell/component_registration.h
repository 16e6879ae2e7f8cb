#pragma once

#include "platform/com/hresult.h"

#include <string>

namespace shell {

// The component library the program expects beside itself.
std::string ComponentLibraryPath();

// Makes sure the registry holds this program's component library's registration, whole, as an
// installer would leave it: one that is missing, names another file, comes from another build of
// the library or lacks a class's entries is written anew (in one transaction). Cheap when all is in
// place. Leaves the library loaded, as the runtime will want it for the first component anyway.
// Gives the registration's failure, CO_E_DLLNOTFOUND when the library cannot be loaded, or
// CO_E_ERRORINDLL when it lacks the registration entry points.
com::HRESULT EnsureComponentsRegistered(const std::string& libraryPath);

}  // namespace shell
