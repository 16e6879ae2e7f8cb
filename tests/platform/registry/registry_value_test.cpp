#include "platform/registry/registry_key.h"

#include "tests/support/temporary_registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace registry;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

class RegistryValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(key_.Create(Hive::CurrentUser, "Software\\Quillmere\\Pinlore"), kSuccess);
    }

    // The type and bytes as stored, checked against what QueryValueInfo reports.
    std::pair<ValueType, Bytes> Stored(std::string_view name)
    {
        ValueType type = ValueType::None;
        Bytes bytes;
        EXPECT_EQ(key_.QueryValue(name, type, bytes), kSuccess);
        ValueType infoType = ValueType::None;
        std::uint32_t size = 0;
        EXPECT_EQ(key_.QueryValueInfo(name, infoType, size), kSuccess);
        EXPECT_EQ(infoType, type);
        EXPECT_EQ(size, bytes.size());
        return {type, bytes};
    }

    Names Values()
    {
        Names names;
        EXPECT_EQ(key_.EnumValues(names), kSuccess);
        return names;
    }

    test_support::TemporaryRegistry registry_;
    RegistryKey key_;
};

TEST_F(RegistryValues, StringsAreStoredAsUtf16WithATerminatingZero)
{
    ASSERT_EQ(key_.SetStringValue("Title", "Pin \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"), kSuccess);
    EXPECT_EQ(Stored("Title"), std::pair(ValueType::String,
                                         Bytes{'P', 0, 'i', 0, 'n', 0, ' ', 0, 0xE4, 0x00, 0xAC, 0x20,
                                               0x3D, 0xD8, 0x00, 0xDE, 0, 0}));
    std::string title;
    ASSERT_EQ(key_.QueryStringValue("Title", title), kSuccess);
    EXPECT_EQ(title, "Pin \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");

    ASSERT_EQ(key_.SetStringValue("Empty", ""), kSuccess);
    EXPECT_EQ(Stored("Empty"), std::pair(ValueType::String, Bytes{0, 0}));
}

TEST_F(RegistryValues, DwordsAreStoredAsFourLittleEndianBytes)
{
    ASSERT_EQ(key_.SetDwordValue("Count", 0x12345678), kSuccess);
    EXPECT_EQ(Stored("Count"), std::pair(ValueType::Dword, Bytes{0x78, 0x56, 0x34, 0x12}));
    std::uint32_t count = 0;
    ASSERT_EQ(key_.QueryDwordValue("Count", count), kSuccess);
    EXPECT_EQ(count, 0x12345678u);
}

TEST_F(RegistryValues, BinaryAndNoneValuesKeepTheirExactBytes)
{
    const Bytes binary{0x00, 0x01, 0xFF, 0x00};
    ASSERT_EQ(key_.SetBinaryValue("Blob", binary), kSuccess);
    ASSERT_EQ(key_.SetValue("Marker", ValueType::None, {}), kSuccess);
    ASSERT_EQ(key_.SetValue("Tagged", ValueType::None, {9, 8}), kSuccess);

    EXPECT_EQ(Stored("Blob"), std::pair(ValueType::Binary, binary));
    EXPECT_EQ(Stored("Marker"), std::pair(ValueType::None, Bytes{}));
    EXPECT_EQ(Stored("Tagged"), std::pair(ValueType::None, Bytes{9, 8}));
    Bytes read;
    ASSERT_EQ(key_.QueryBinaryValue("Blob", read), kSuccess);
    EXPECT_EQ(read, binary);
}

TEST_F(RegistryValues, TheEmptyNameIsTheKeysDefaultValue)
{
    ASSERT_EQ(key_.SetStringValue("", "default"), kSuccess);
    ASSERT_EQ(key_.SetStringValue("Other", "other"), kSuccess);
    std::string value;
    ASSERT_EQ(key_.QueryStringValue("", value), kSuccess);
    EXPECT_EQ(value, "default");
    EXPECT_EQ(Values(), (Names{"", "Other"}));

    ASSERT_EQ(key_.DeleteValue(""), kSuccess);
    EXPECT_EQ(key_.QueryStringValue("", value), kFileNotFound);
    EXPECT_EQ(Values(), Names{"Other"});
}

TEST_F(RegistryValues, StringQueryReadsUpToTheFirstZeroOrTheEnd)
{
    std::string text;
    ASSERT_EQ(key_.SetValue("NoZero", ValueType::String, {'h', 0, 'i', 0}), kSuccess);
    ASSERT_EQ(key_.QueryStringValue("NoZero", text), kSuccess);
    EXPECT_EQ(text, "hi");

    ASSERT_EQ(key_.SetValue("OddByte", ValueType::String, {'h', 0, 'i'}), kSuccess);
    ASSERT_EQ(key_.QueryStringValue("OddByte", text), kSuccess);
    EXPECT_EQ(text, "h");

    ASSERT_EQ(key_.SetValue("Inner", ValueType::String, {'a', 0, 0, 0, 'b', 0}), kSuccess);
    ASSERT_EQ(key_.QueryStringValue("Inner", text), kSuccess);
    EXPECT_EQ(text, "a");

    ASSERT_EQ(key_.SetValue("Lone", ValueType::String, {0x00, 0xD8, 'x', 0}), kSuccess);
    ASSERT_EQ(key_.QueryStringValue("Lone", text), kSuccess);
    EXPECT_EQ(text, "\xEF\xBF\xBDx");
}

TEST_F(RegistryValues, QueriesOfAnotherTypeAnswerTypeMismatchAndLeaveTheOutputAlone)
{
    ASSERT_EQ(key_.SetStringValue("Text", "12"), kSuccess);
    ASSERT_EQ(key_.SetValue("Short", ValueType::Dword, {1, 2, 3}), kSuccess);
    ASSERT_EQ(key_.SetDwordValue("Number", 5), kSuccess);

    std::uint32_t dword = 77;
    EXPECT_EQ(key_.QueryDwordValue("Text", dword), kTypeMismatch);
    EXPECT_EQ(key_.QueryDwordValue("Short", dword), kTypeMismatch);
    EXPECT_EQ(dword, 77u);
    std::string text = "kept";
    EXPECT_EQ(key_.QueryStringValue("Number", text), kTypeMismatch);
    EXPECT_EQ(text, "kept");
    Bytes bytes{1};
    EXPECT_EQ(key_.QueryBinaryValue("Text", bytes), kTypeMismatch);
    EXPECT_EQ(bytes, Bytes{1});
}

TEST_F(RegistryValues, MissingValuesAnswerFileNotFound)
{
    std::uint32_t dword = 0;
    ValueType type = ValueType::None;
    std::uint32_t size = 0;
    EXPECT_EQ(key_.QueryDwordValue("Missing", dword), kFileNotFound);
    EXPECT_EQ(key_.QueryValueInfo("Missing", type, size), kFileNotFound);
    EXPECT_EQ(key_.DeleteValue("Missing"), kFileNotFound);
}

TEST_F(RegistryValues, NamesIgnoreCaseAndAnOverwriteKeepsSpellingAndOrder)
{
    ASSERT_EQ(key_.SetDwordValue("Width", 1), kSuccess);
    ASSERT_EQ(key_.SetDwordValue("Height", 2), kSuccess);
    ASSERT_EQ(key_.SetStringValue("WIDTH", "wide"), kSuccess);

    EXPECT_EQ(Values(), (Names{"Width", "Height"}));
    std::string width;
    ASSERT_EQ(key_.QueryStringValue("width", width), kSuccess);
    EXPECT_EQ(width, "wide");
    ASSERT_EQ(key_.DeleteValue("hEIGHT"), kSuccess);
    EXPECT_EQ(Values(), Names{"Width"});
}

TEST_F(RegistryValues, MalformedTextAndNamesAreRefusedAndNothingIsStored)
{
    EXPECT_EQ(key_.SetStringValue("Bad", "\xC3"), kInvalidParameter);
    EXPECT_EQ(key_.SetDwordValue(std::string("A\0B", 3), 1), kInvalidParameter);
    EXPECT_EQ(key_.SetDwordValue("\xFF", 1), kInvalidParameter);
    EXPECT_EQ(Values(), Names{});
}

}  // namespace
