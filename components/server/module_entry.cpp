// The entry points through which the runtime loads, asks and registers this library.
#include "components/server/class_catalogue.h"
#include "components/server/registration.h"
#include "platform/com/implements.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

#define COMPONENTS_ENTRY extern "C" __attribute__((visibility("default")))

namespace {
// The full path of this module as loaded, which the registration names as the server.
std::string ModulePath()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&ModulePath), &info) || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    return ::realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string(info.dli_fname);
}
}  // namespace

// Nothing runs at load: the library creates no object until it is asked for one.
COMPONENTS_ENTRY com::HRESULT DllGetClassObject(const com::CLSID& classId, const com::IID& iid, void** out)
{
    if (!out) return com::E_POINTER;
    *out = nullptr;
    const components::ClassEntry* entry = components::FindClass(classId);
    if (!entry || !entry->classObject) return com::CLASS_E_CLASSNOTAVAILABLE;
    return entry->classObject()->QueryInterface(iid, out);
}

COMPONENTS_ENTRY com::HRESULT DllCanUnloadNow()
{
    return com::ModuleLockCount() == 0 ? com::S_OK : com::S_FALSE;
}

COMPONENTS_ENTRY com::HRESULT DllRegisterServer()
{
    const std::string path = ModulePath();
    if (path.empty()) return com::E_UNEXPECTED;
    return components::RegisterServer(path);
}

// Beyond the platform's four entry points: lets the program check at every start, without writing,
// whether the registration is still this module's (S_OK) or has to be written again (S_FALSE).
COMPONENTS_ENTRY com::HRESULT DllCheckRegistration()
{
    const std::string path = ModulePath();
    if (path.empty()) return com::E_UNEXPECTED;
    return components::CheckRegistration(path);
}

COMPONENTS_ENTRY com::HRESULT DllUnregisterServer()
{
    return components::UnregisterServer();
}
