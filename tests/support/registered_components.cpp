#include "tests/support/registered_components.h"

#include <dlfcn.h>
#include <stdexcept>

namespace test_support {

const char* ComponentsModule::Path()
{
    return PINLORE_COMPONENTS_LIBRARY;
}

const ComponentsModule& ComponentsModule::Get()
{
    static const ComponentsModule module = [] {
        void* handle = ::dlopen(Path(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) throw std::runtime_error(::dlerror());
        ComponentsModule entries{};
        entries.registerServer = reinterpret_cast<com::HRESULT (*)()>(::dlsym(handle, "DllRegisterServer"));
        entries.unregisterServer = reinterpret_cast<com::HRESULT (*)()>(::dlsym(handle, "DllUnregisterServer"));
        entries.canUnloadNow = reinterpret_cast<com::HRESULT (*)()>(::dlsym(handle, "DllCanUnloadNow"));
        entries.getClassObject = reinterpret_cast<com::HRESULT (*)(const com::CLSID&, const com::IID&, void**)>(
            ::dlsym(handle, "DllGetClassObject"));
        return entries;
    }();
    return module;
}

void ComponentTest::SetUp()
{
    ASSERT_EQ(ComponentsModule::Get().registerServer(), com::S_OK);
}

void ComponentTest::TearDown()
{
    EXPECT_EQ(ComponentsModule::Get().canUnloadNow(), com::S_OK) << "a component object outlived the test";
}

}  // namespace test_support
