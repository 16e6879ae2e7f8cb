#include "platform/registry/registry_key.h"

#include "tests/support/temporary_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace registry;

namespace {

class RegistryKeys : public ::testing::Test {
protected:
    std::vector<std::string> SubKeys(const RegistryKey& key)
    {
        std::vector<std::string> names;
        EXPECT_EQ(key.EnumSubKeys(names), kSuccess);
        return names;
    }

    test_support::TemporaryRegistry registry_;
};

using Names = std::vector<std::string>;

TEST_F(RegistryKeys, CreateMakesEveryKeyOnThePathAndOpenFindsIt)
{
    RegistryKey prefs;
    ASSERT_EQ(prefs.Create(Hive::CurrentUser, "Software\\Quillmere\\Pinlore\\Prefs"), kSuccess);
    EXPECT_TRUE(prefs.IsOpen());
    ASSERT_EQ(prefs.SetDwordValue("Zoom", 3), kSuccess);

    RegistryKey software;
    ASSERT_EQ(software.Open(Hive::CurrentUser, "Software"), kSuccess);
    RegistryKey reopened;
    ASSERT_EQ(reopened.Open(software, "Quillmere\\Pinlore\\Prefs"), kSuccess);
    std::uint32_t zoom = 0;
    EXPECT_EQ(reopened.QueryDwordValue("Zoom", zoom), kSuccess);
    EXPECT_EQ(zoom, 3u);

    RegistryKey existing;
    ASSERT_EQ(existing.Create(Hive::CurrentUser, "Software\\Quillmere"), kSuccess);
    EXPECT_EQ(SubKeys(existing), Names{"Pinlore"});
    RegistryKey root;
    ASSERT_EQ(root.Open(Hive::CurrentUser, ""), kSuccess);
    EXPECT_EQ(SubKeys(root), Names{"Software"});
}

TEST_F(RegistryKeys, HivesAreSeparate)
{
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::ClassesRoot, "CLSID"), kSuccess);
    EXPECT_EQ(key.Open(Hive::LocalMachine, "CLSID"), kFileNotFound);
    EXPECT_EQ(key.Open(Hive::CurrentUser, "CLSID"), kFileNotFound);
    EXPECT_EQ(key.Open(static_cast<Hive>(7), "CLSID"), kInvalidParameter);
}

TEST_F(RegistryKeys, FailedOpenLeavesTheKeyAsItWas)
{
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    EXPECT_EQ(key.Open(Hive::CurrentUser, "Software\\Missing"), kFileNotFound);
    ASSERT_TRUE(key.IsOpen());
    ASSERT_EQ(key.Create(key, "Child"), kSuccess);
    ASSERT_EQ(key.SetStringValue("Where", "child"), kSuccess);

    RegistryKey child;
    ASSERT_EQ(child.Open(Hive::CurrentUser, "Software\\Child"), kSuccess);
    std::string where;
    EXPECT_EQ(child.QueryStringValue("Where", where), kSuccess);
    EXPECT_EQ(where, "child");
}

TEST_F(RegistryKeys, KeysThatAreNotOpenAnswerInvalidHandle)
{
    RegistryKey key;
    std::uint32_t dword = 0;
    std::vector<std::string> names;
    RegistryKey child;
    EXPECT_EQ(key.SetDwordValue("A", 1), kInvalidHandle);
    EXPECT_EQ(key.QueryDwordValue("A", dword), kInvalidHandle);
    EXPECT_EQ(key.EnumValues(names), kInvalidHandle);
    EXPECT_EQ(child.Create(key, "Child"), kInvalidHandle);

    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.DeleteValue("A"), kInvalidHandle);
    EXPECT_EQ(key.RecursiveDeleteSubKey("Child"), kInvalidHandle);
}

TEST_F(RegistryKeys, PathsWithEmptyOrMalformedNamesAreRefused)
{
    RegistryKey key;
    for (const char* path : {"\\Software", "Software\\", "Software\\\\Quillmere", "Soft\xff"}) {
        EXPECT_EQ(key.Create(Hive::CurrentUser, path), kInvalidParameter) << path;
        EXPECT_EQ(key.Open(Hive::CurrentUser, path), kInvalidParameter) << path;
    }
    EXPECT_EQ(key.Create(Hive::CurrentUser, std::string("Soft\0ware", 9)), kInvalidParameter);
    ASSERT_EQ(key.Open(Hive::CurrentUser, ""), kSuccess);
    EXPECT_EQ(SubKeys(key), Names{});
}

TEST_F(RegistryKeys, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software\\Quillmere"), kSuccess);
    ASSERT_EQ(key.Open(Hive::CurrentUser, "SOFTWARE\\quillmere"), kSuccess);
    ASSERT_EQ(key.Create(Hive::CurrentUser, "software\\QUILLMERE\\Pinlore"), kSuccess);

    RegistryKey software;
    ASSERT_EQ(software.Open(Hive::CurrentUser, "Software"), kSuccess);
    EXPECT_EQ(SubKeys(software), Names{"Quillmere"});
}

TEST_F(RegistryKeys, SubKeysAreListedInTheOrderTheyWereCreated)
{
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    RegistryKey child;
    for (const char* name : {"Zeta", "alpha", "Mid"})
        ASSERT_EQ(child.Create(key, name), kSuccess);
    ASSERT_EQ(key.DeleteSubKey("alpha"), kSuccess);
    ASSERT_EQ(child.Create(key, "Beta"), kSuccess);
    EXPECT_EQ(SubKeys(key), (Names{"Zeta", "Mid", "Beta"}));
}

TEST_F(RegistryKeys, DeleteSubKeyRefusesAKeyThatHasSubKeys)
{
    RegistryKey root;
    ASSERT_EQ(root.Create(Hive::CurrentUser, "A\\B\\C"), kSuccess);
    ASSERT_EQ(root.SetDwordValue("Value", 1), kSuccess);
    ASSERT_EQ(root.Open(Hive::CurrentUser, ""), kSuccess);

    EXPECT_EQ(root.DeleteSubKey("A"), kAccessDenied);
    EXPECT_EQ(root.DeleteSubKey("a\\b"), kAccessDenied);
    EXPECT_EQ(root.DeleteSubKey("A\\B\\C"), kSuccess);
    EXPECT_EQ(root.DeleteSubKey("A\\B"), kSuccess);
    EXPECT_EQ(root.DeleteSubKey("A\\B"), kFileNotFound);
    EXPECT_EQ(root.DeleteSubKey(""), kInvalidParameter);
    EXPECT_EQ(SubKeys(root), Names{"A"});

    RegistryKey again;
    ASSERT_EQ(again.Create(Hive::CurrentUser, "A\\B\\C"), kSuccess);
    std::uint32_t value = 0;
    EXPECT_EQ(again.QueryDwordValue("Value", value), kFileNotFound);
}

TEST_F(RegistryKeys, RecursiveDeleteRemovesEverythingBelow)
{
    RegistryKey deep;
    ASSERT_EQ(deep.Create(Hive::CurrentUser, "Software\\A\\B\\C"), kSuccess);
    ASSERT_EQ(deep.SetStringValue("Name", "deep"), kSuccess);
    RegistryKey side;
    ASSERT_EQ(side.Create(Hive::CurrentUser, "Software\\A\\D"), kSuccess);
    RegistryKey software;
    ASSERT_EQ(software.Open(Hive::CurrentUser, "Software"), kSuccess);

    EXPECT_EQ(software.RecursiveDeleteSubKey("a"), kSuccess);
    EXPECT_EQ(SubKeys(software), Names{});
    EXPECT_EQ(software.RecursiveDeleteSubKey("a"), kFileNotFound);
    EXPECT_EQ(software.RecursiveDeleteSubKey(""), kInvalidParameter);

    ASSERT_EQ(side.Create(Hive::CurrentUser, "Software\\A\\B\\C"), kSuccess);
    std::string name;
    EXPECT_EQ(side.QueryStringValue("Name", name), kFileNotFound);
}

TEST_F(RegistryKeys, AHandleToADeletedKeyAnswersKeyDeleted)
{
    RegistryKey deleted;
    ASSERT_EQ(deleted.Create(Hive::CurrentUser, "Software\\Gone"), kSuccess);
    RegistryKey software;
    ASSERT_EQ(software.Open(Hive::CurrentUser, "Software"), kSuccess);
    ASSERT_EQ(software.DeleteSubKey("Gone"), kSuccess);
    // A key created right after must not take over the deleted key's handle.
    RegistryKey next;
    ASSERT_EQ(next.Create(Hive::CurrentUser, "Software\\Next"), kSuccess);

    std::string text;
    std::vector<std::string> names;
    RegistryKey child;
    EXPECT_EQ(deleted.SetStringValue("A", "b"), kKeyDeleted);
    EXPECT_EQ(deleted.QueryStringValue("A", text), kKeyDeleted);
    EXPECT_EQ(deleted.EnumSubKeys(names), kKeyDeleted);
    EXPECT_EQ(child.Create(deleted, "Child"), kKeyDeleted);
    EXPECT_EQ(SubKeys(software), Names{"Next"});
}

}  // namespace
