#pragma once

#include "platform/com/runtime.h"
#include "tests/support/temporary_registry.h"

#include <gtest/gtest.h>

namespace test_support {

// The entry points of the built component library, loaded the way the runtime loads it.
struct ComponentsModule {
    com::HRESULT (*registerServer)();
    com::HRESULT (*unregisterServer)();
    com::HRESULT (*canUnloadNow)();
    com::HRESULT (*getClassObject)(const com::CLSID&, const com::IID&, void**);

    static const ComponentsModule& Get();
    static const char* Path();
};

// A test that uses components: a registry of its own with the component library registered in it,
// the runtime initialised on the test's thread, and a check at the end that no object of the
// library outlives the test.
class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    TemporaryRegistry registry_;
    com::ApartmentScope apartment_;
};

}  // namespace test_support
