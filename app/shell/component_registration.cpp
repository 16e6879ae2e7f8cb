#include "app/shell/component_registration.h"

#include "components/interfaces/type_library.h"
#include "platform/registry/registry_key.h"

#include <QCoreApplication>
#include <QDir>
#include <dlfcn.h>
#include <filesystem>

namespace shell {

namespace {

// Every registration names the library file under the type library's win32 key.
std::string RegisteredLibrary()
{
    registry::RegistryKey key;
    std::string path;
    const std::string version = std::to_string(kComponentsLibraryMajorVersion) + "." +
                                std::to_string(kComponentsLibraryMinorVersion);
    if (key.Open(registry::Hive::ClassesRoot,
                 "TypeLib\\" + com::FormatGuid(LIBID_Components) + "\\" + version + "\\0\\win32") != registry::kSuccess ||
        key.QueryStringValue("", path) != registry::kSuccess)
        return {};
    return path;
}

}  // namespace

std::string ComponentLibraryPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("libComponents.so").toStdString();
}

com::HRESULT EnsureComponentsRegistered(const std::string& libraryPath)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(libraryPath, error);
    if (error) return com::CO_E_DLLNOTFOUND;
    if (RegisteredLibrary() == canonical.string()) return com::S_OK;

    void* module = ::dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return com::CO_E_DLLNOTFOUND;
    auto registerServer = reinterpret_cast<com::HRESULT (*)()>(::dlsym(module, "DllRegisterServer"));
    // The library stays loaded: the runtime will want it for the first component anyway.
    return registerServer ? registerServer() : com::CO_E_ERRORINDLL;
}

}  // namespace shell
