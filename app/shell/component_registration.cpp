#include "app/shell/component_registration.h"

#include <QCoreApplication>
#include <QDir>
#include <dlfcn.h>
#include <filesystem>

namespace shell {

std::string ComponentLibraryPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("libComponents.so").toStdString();
}

com::HRESULT EnsureComponentsRegistered(const std::string& libraryPath)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(libraryPath, error);
    if (error) return com::CO_E_DLLNOTFOUND;

    void* module = ::dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return com::CO_E_DLLNOTFOUND;
    using EntryPoint = com::HRESULT (*)();
    auto checkRegistration = reinterpret_cast<EntryPoint>(::dlsym(module, "DllCheckRegistration"));
    auto registerServer = reinterpret_cast<EntryPoint>(::dlsym(module, "DllRegisterServer"));
    if (!checkRegistration || !registerServer) return com::CO_E_ERRORINDLL;
    // The library judges its own registration: only it knows its catalogue and where it was loaded from.
    return checkRegistration() == com::S_OK ? com::S_OK : registerServer();
}

}  // namespace shell
