#pragma once

#include "platform/com/hresult.h"

#include <string>

namespace components {

// Writes the AppID entries, every implemented class's entries and the type library's entries under
// HKEY_CLASSES_ROOT, naming `modulePath` as the server, after removing whatever an earlier
// registration left under the same keys. Beside them goes a fingerprint of everything written, so
// that a later start can tell whether the registration is still this one. All or nothing: on the
// first registry failure nothing has changed, and the failure is given as HRESULT_FROM_WIN32.
com::HRESULT RegisterServer(const std::string& modulePath);

// S_OK when the registry holds this catalogue's registration naming `modulePath` (the fingerprint
// matches and every implemented class resolves by class and programmatic identifier to this
// module), S_FALSE when it has to be written again. Reads only: cheap enough for every start.
com::HRESULT CheckRegistration(const std::string& modulePath);

// Removes what RegisterServer writes; the "AppID" root itself stays. Roots that only these entries
// filled ("CLSID", "TypeLib", "Interface") go when they are left empty.
com::HRESULT UnregisterServer();

}  // namespace components
