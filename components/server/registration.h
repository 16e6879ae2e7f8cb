#pragma once

#include "platform/com/hresult.h"

#include <string>

namespace components {

// Writes the AppID entries, every implemented class's entries and the type library's entries under
// HKEY_CLASSES_ROOT, naming `modulePath` as the server. Stops at the first registry failure and
// gives it as HRESULT_FROM_WIN32.
com::HRESULT RegisterServer(const std::string& modulePath);

// Removes what RegisterServer writes; the "AppID" root itself stays. Roots that only these entries
// filled ("CLSID", "TypeLib", "Interface") go when they are left empty.
com::HRESULT UnregisterServer();

}  // namespace components
