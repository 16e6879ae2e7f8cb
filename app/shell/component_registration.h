#pragma once

#include "platform/com/hresult.h"

#include <string>

namespace shell {

// The component library the program expects beside itself.
std::string ComponentLibraryPath();

// Makes sure the registry names this program's component library as the server of its classes,
// as an installer would: a registration that is missing or names another file is written anew.
// Gives the registration's failure, or CO_E_DLLNOTFOUND when the library cannot be loaded.
com::HRESULT EnsureComponentsRegistered(const std::string& libraryPath);

}  // namespace shell
