// The server's entry points and registration over a catalogue that lists a class without code.
#include "components/interfaces/class_ids.h"
#include "components/server/registration.h"
#include "platform/com/class_factory.h"
#include "platform/registry/registry_key.h"
#include "tests/support/temporary_registry.h"

#include <gtest/gtest.h>

extern "C" com::HRESULT DllGetClassObject(const com::CLSID& classId, const com::IID& iid, void** out);

namespace {

bool KeyExists(const std::string& path)
{
    registry::RegistryKey key;
    return key.Open(registry::Hive::ClassesRoot, path) == registry::kSuccess;
}

TEST(ClassWithoutCode, HasNoClassObject)
{
    com::ComPtr<com::IUnknown> factory;
    EXPECT_EQ(DllGetClassObject(CLSID_PLTableControl, com::IID_IClassFactory, factory.putVoid()),
              com::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(factory);
    EXPECT_EQ(DllGetClassObject(CLSID_PLTableCell, com::IID_IClassFactory, factory.putVoid()), com::S_OK);
}

TEST(ClassWithoutCode, IsLeftUnregistered)
{
    test_support::TemporaryRegistry registry;
    ASSERT_EQ(components::RegisterServer("/opt/pinlore/libComponents.so"), com::S_OK);
    EXPECT_TRUE(KeyExists("TableProject.TableCell.1"));
    EXPECT_FALSE(KeyExists("Components.TableControl.1"));
    EXPECT_FALSE(KeyExists("CLSID\\{F504B4E0-0524-49EE-9836-84D8C00DE150}"));
}

}  // namespace
