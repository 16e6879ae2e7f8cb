#pragma once

#include "platform/com/runtime.h"

#include <cstdlib>
#include <dlfcn.h>
#include <stdexcept>
#include <string>

namespace test_support {

// For programs outside the test fixtures (fuzzers, benchmarks): points PINLORE_REGISTRY at a fresh
// registry in a temporary folder, registers the component library there and initialises the runtime
// on the calling thread, for the rest of the process.
inline void UsePrivateComponentRegistry(const char* componentsLibrary)
{
    char folder[] = "/tmp/pinlore-registry-XXXXXX";
    if (!::mkdtemp(folder)) throw std::runtime_error("cannot create a folder for the registry");
    ::setenv("PINLORE_REGISTRY", (std::string(folder) + "/registry.sqlite").c_str(), 1);
    void* library = ::dlopen(componentsLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) throw std::runtime_error(::dlerror());
    auto* registerServer = reinterpret_cast<com::HRESULT (*)()>(::dlsym(library, "DllRegisterServer"));
    if (!registerServer || com::FAILED(registerServer())) throw std::runtime_error("cannot register the component library");
    if (com::FAILED(com::CoInitialize())) throw std::runtime_error("cannot initialise the component runtime");
}

}  // namespace test_support
