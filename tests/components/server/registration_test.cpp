#include "components/interfaces/class_ids.h"
#include "components/interfaces/interface_ids.h"
#include "platform/registry/registry_key.h"
#include "tests/support/registered_components.h"
#include "tests/support/registry_dump.h"
#include "tests/support/temporary_registry.h"

#include <sqlite3.h>

#include <filesystem>

using namespace com;
using registry::Hive;
using registry::RegistryKey;
using test_support::ComponentsModule;

namespace {

std::string DefaultValue(const std::string& path, const std::string& name = "")
{
    RegistryKey key;
    if (key.Open(Hive::ClassesRoot, path) != registry::kSuccess) return "<no key>";
    std::string value;
    if (key.QueryStringValue(name, value) != registry::kSuccess) return "<no value>";
    return value;
}

bool KeyExists(const std::string& path)
{
    RegistryKey key;
    return key.Open(Hive::ClassesRoot, path) == registry::kSuccess;
}

class Registration : public test_support::ComponentTest {
protected:
    const std::string modulePath = std::filesystem::canonical(ComponentsModule::Path()).string();
    const std::string appId = "{43DAD637-BBAB-4BDD-AE30-39205DBAB24A}";
};

TEST_F(Registration, WritesTheProgrammaticIdentifierAndClassKeys)
{
    const std::string clsid = "{D404F9CA-FC6F-428A-9658-7801AED65A7B}";
    EXPECT_EQ(DefaultValue("Components.UndoAction.1"), "PLUndoAction Object");
    EXPECT_EQ(DefaultValue("Components.UndoAction.1\\CLSID"), clsid);
    EXPECT_EQ(DefaultValue("Components.UndoAction"), "PLUndoAction Object");
    EXPECT_EQ(DefaultValue("Components.UndoAction\\CLSID"), clsid);
    EXPECT_EQ(DefaultValue("Components.UndoAction\\CurVer"), "Components.UndoAction.1");

    const std::string key = "CLSID\\" + clsid;
    EXPECT_EQ(DefaultValue(key), "PLUndoAction Object");
    EXPECT_EQ(DefaultValue(key + "\\ProgID"), "Components.UndoAction.1");
    EXPECT_EQ(DefaultValue(key + "\\VersionIndependentProgID"), "Components.UndoAction");
    EXPECT_TRUE(KeyExists(key + "\\Programmable"));
    EXPECT_EQ(DefaultValue(key + "\\InprocServer32"), modulePath);
    EXPECT_EQ(DefaultValue(key + "\\InprocServer32", "ThreadingModel"), "apartment");
    EXPECT_EQ(DefaultValue(key + "\\TypeLib"), appId);
    EXPECT_EQ(DefaultValue(key, "AppID"), appId);
}

TEST_F(Registration, OnlyControlsCarryTheControlEntries)
{
    const std::string control = "CLSID\\{D404F9CA-FC6F-428A-9658-7801AED65A7B}";  // PLUndoAction
    EXPECT_TRUE(KeyExists(control + "\\Control"));
    EXPECT_EQ(DefaultValue(control + "\\ToolboxBitmap32"), modulePath + ", 1");
    EXPECT_EQ(DefaultValue(control + "\\MiscStatus"), "131473");
    EXPECT_EQ(DefaultValue(control + "\\Version"), "1.0");

    const std::string plain = "CLSID\\{D9C923A1-1865-4C85-BCAD-E6E2D1EAC0AF}";  // PLBaseSpot
    ASSERT_TRUE(KeyExists(plain));
    EXPECT_FALSE(KeyExists(plain + "\\Control"));
    EXPECT_FALSE(KeyExists(plain + "\\MiscStatus"));
    EXPECT_FALSE(KeyExists(plain + "\\ToolboxBitmap32"));
}

TEST_F(Registration, WritesTheServerAndTypeLibraryEntries)
{
    EXPECT_EQ(DefaultValue("AppID\\" + appId), "Components");
    EXPECT_EQ(DefaultValue("AppID\\Components.DLL", "AppID"), appId);
    EXPECT_EQ(DefaultValue("TypeLib\\" + appId + "\\1.0"), "Components 1.0 Type Library");
    EXPECT_EQ(DefaultValue("TypeLib\\" + appId + "\\1.0\\409\\win32"), modulePath);
    EXPECT_EQ(DefaultValue("Interface\\{9074ADFF-7CB4-46D0-A8E8-405C29312482}"), "IDocument");
    EXPECT_EQ(DefaultValue("Interface\\{9074ADFF-7CB4-46D0-A8E8-405C29312482}\\TypeLib"), appId);
}

TEST_F(Registration, RegistersTheFileBrowsersClasses)
{
    // Classes without code stay unregistered: see class_without_code_test.cpp.
    EXPECT_EQ(DefaultValue("Components.TableControl.1\\CLSID"), "{F504B4E0-0524-49EE-9836-84D8C00DE150}");
    EXPECT_TRUE(KeyExists("CLSID\\{F504B4E0-0524-49EE-9836-84D8C00DE150}\\Control"));
}

TEST_F(Registration, UnregisteringLeavesOnlyTheAppIdRoot)
{
    ASSERT_EQ(ComponentsModule::Get().unregisterServer(), S_OK);
    RegistryKey root;
    ASSERT_EQ(root.Open(Hive::ClassesRoot, ""), registry::kSuccess);
    std::vector<std::string> keys, values;
    ASSERT_EQ(root.EnumSubKeys(keys), registry::kSuccess);
    ASSERT_EQ(root.EnumValues(values), registry::kSuccess);
    EXPECT_EQ(keys, std::vector<std::string>{"AppID"});
    EXPECT_TRUE(values.empty());
    RegistryKey appIdRoot;
    ASSERT_EQ(appIdRoot.Open(Hive::ClassesRoot, "AppID"), registry::kSuccess);
    ASSERT_EQ(appIdRoot.EnumSubKeys(keys), registry::kSuccess);
    EXPECT_TRUE(keys.empty());

    ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_PLUndoAction, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()),
              REGDB_E_CLASSNOTREG)
        << "the runtime notices that the registration went";

    EXPECT_EQ(ComponentsModule::Get().registerServer(), S_OK) << "registering again after removal";
    EXPECT_EQ(CoCreateInstance(CLSID_PLUndoAction, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()), S_OK);
}

}  // namespace

namespace {

// Makes the registry's own database fail the chosen write: the `at`-th row inserted, changed or
// deleted from now on fails, as a full disk or a lost lock would, without any hook in the code.
class FaultInjection {
public:
    explicit FaultInjection(const std::string& file)
    {
        RegistryKey root;  // the store makes its tables on first use; the triggers name them
        EXPECT_EQ(root.Open(Hive::ClassesRoot, ""), registry::kSuccess);
        EXPECT_EQ(sqlite3_open(file.c_str(), &db_), SQLITE_OK);
        exec("CREATE TABLE IF NOT EXISTS fault (at INTEGER, seen INTEGER)");
        exec("DELETE FROM fault; INSERT INTO fault VALUES (0, 0)");
        for (const char* event : {"INSERT ON registry_key", "DELETE ON registry_key", "INSERT ON registry_value",
                                  "UPDATE ON registry_value", "DELETE ON registry_value"}) {
            std::string name = std::string("fault_") + event;
            for (char& c : name)
                if (c == ' ') c = '_';
            exec("CREATE TRIGGER IF NOT EXISTS " + name + " BEFORE " + event +
                 " BEGIN UPDATE fault SET seen = seen + 1;"
                 " SELECT RAISE(ABORT, 'injected') FROM fault WHERE seen = at; END");
        }
    }
    ~FaultInjection() { sqlite3_close(db_); }

    // Fails the `at`-th write from now on; 0 fails none.
    void failAt(int at) { exec("UPDATE fault SET at = " + std::to_string(at) + ", seen = 0"); }
    int writesSeen()
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, "SELECT seen FROM fault", -1, &statement, nullptr);
        const int seen = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
        sqlite3_finalize(statement);
        return seen;
    }

private:
    void exec(const std::string& sql) { EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

    sqlite3* db_ = nullptr;
};

// A registration that fails at any of its writes leaves the registry as it found it: empty, or
// holding the earlier registration whole.
TEST(RegistrationFailure, LeavesTheRegistryAsItWas)
{
    for (const bool earlier : {false, true}) {
        SCOPED_TRACE(earlier ? "over an earlier registration" : "into an empty registry");
        int writes = 0;
        {
            test_support::TemporaryRegistry counting;
            if (earlier) {
                ASSERT_EQ(ComponentsModule::Get().registerServer(), S_OK);
            }
            FaultInjection faults(counting.file().string());
            ASSERT_EQ(ComponentsModule::Get().registerServer(), S_OK);
            writes = faults.writesSeen();
        }
        ASSERT_GT(writes, 500);

        test_support::TemporaryRegistry temporary;
        if (earlier) {
            ASSERT_EQ(ComponentsModule::Get().registerServer(), S_OK);
        }
        const auto before = test_support::DumpHive(Hive::ClassesRoot);
        FaultInjection faults(temporary.file().string());
        // The first writes, the last (the fingerprint) and a spread between them.
        std::vector<int> steps = {1, 2, 3, writes - 1, writes};
        for (int step = 4; step < writes - 1; step += writes / 23) steps.push_back(step);
        for (const int step : steps) {
            faults.failAt(step);
            EXPECT_TRUE(FAILED(ComponentsModule::Get().registerServer())) << "failing write " << step;
            EXPECT_EQ(test_support::DumpHive(Hive::ClassesRoot), before) << "failing write " << step;
        }
    }
}

}  // namespace
