#include "components/interfaces/records.h"
#include "tests/components/persistence/bag_test_fixture.h"

using namespace com;
using namespace std::literals;
using persistence_test::BagTest;

namespace {

class PropertyFormat : public BagTest {};

std::u16string Text(const Variant& value)
{
    return value.vt == VT_BSTR ? std::u16string(View(value.bstrVal)) : u"<not a string>";
}

TEST_F(PropertyFormat, EncodesNamesByTheNameRuleAndReadsThemBackUnderTheirOwnNames)
{
    ComPtr<IPropertyProbe> probe = newProbe();
    probe->Add(u"A b_c", Variant::FromString(u"x"sv), VT_EMPTY);
    probe->Add(u"Spot_0_Key", Variant(7), VT_EMPTY);
    probe->Add(u"a.\u00e9", Variant(8), VT_EMPTY);
    const std::string text = saveToText(probe.get());
    EXPECT_NE(text.find(R"(<A_20b__c vt="8">x</A_20b__c>)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"(<Spot__0__Key vt="3">7</Spot__0__Key>)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"(<a_2e_e9 vt="3">8</a_2e_e9>)"), std::string::npos) << text;

    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(text, loaded), S_OK);
    const auto& reads = loaded.as<IPropertyProbe>()->Reads();
    ASSERT_EQ(reads.size(), 3u);
    EXPECT_EQ(Text(reads[0].value), u"x");
    EXPECT_EQ(reads[1].value.lVal, 7);
    EXPECT_EQ(reads[2].value.lVal, 8);
}

TEST_F(PropertyFormat, WritesUtf8WithoutDeclarationOrAddedWhitespace)
{
    ComPtr<IPropertyProbe> probe = newProbe();
    probe->Add(u"Name", Variant::FromString(u"Z\u00fcrich \u6771\u4eac"sv), VT_EMPTY);
    EXPECT_EQ(saveToText(probe.get()),
              "<Object clsid=\"{5A1E0B7C-3D2F-4E61-9A8B-7C6D5E4F3A21}\"><ProbeNames vt=\"8\">0|Name\n</ProbeNames>"
              "<Name vt=\"8\">Z\xc3\xbcrich \xe6\x9d\xb1\xe4\xba\xac</Name></Object>");
}

TEST_F(PropertyFormat, StringsReadBackExactlyAndANullStringAsEmpty)
{
    for (const std::u16string value : {u"  ", u"a\r\nb\rc", u"<&>\"' ]]>", u"\u0001tab\there", u"\U0001F5FA map"}) {
        const ProbeRead read = roundTrip(u"Text", Variant::FromString(value));
        EXPECT_EQ(read.result, S_OK);
        EXPECT_EQ(Text(read.value), value);
    }
    const ProbeRead null = roundTrip(u"Text", Variant::FromString(BSTR(nullptr)));
    ASSERT_EQ(null.value.vt, VT_BSTR);
    EXPECT_NE(null.value.bstrVal, nullptr) << "a null string reads back as an empty one";
    EXPECT_EQ(SysStringLen(null.value.bstrVal), 0u);
}

TEST_F(PropertyFormat, SimpleValuesReadBackWithTheirTypes)
{
    const ProbeRead number = roundTrip(u"Number", Variant(-2147483647 - 1));
    EXPECT_EQ(number.value.vt, VT_I4);
    EXPECT_EQ(number.value.lVal, -2147483647 - 1);

    Variant real;
    real.vt = VT_R8;
    real.dblVal = 0.1;
    const ProbeRead readReal = roundTrip(u"Real", real);
    EXPECT_EQ(readReal.value.vt, VT_R8);
    EXPECT_EQ(readReal.value.dblVal, 0.1);

    Variant big;
    big.vt = VT_I8;
    big.llVal = 9007199254740993;
    EXPECT_EQ(roundTrip(u"Big", big).value.llVal, 9007199254740993);

    const ProbeRead flag = roundTrip(u"Flag", Variant::FromBool(true));
    EXPECT_EQ(flag.value.vt, VT_BOOL);
    EXPECT_EQ(flag.value.boolVal, VARIANT_TRUE);

    const ProbeRead error = roundTrip(u"Error", Variant::FromError(E_OUTOFMEMORY));
    EXPECT_EQ(error.value.vt, VT_ERROR);
    EXPECT_EQ(error.value.scode, E_OUTOFMEMORY);

    const ProbeRead empty = roundTrip(u"Nothing", Variant());
    EXPECT_EQ(empty.result, S_OK);
    EXPECT_EQ(empty.value.vt, VT_EMPTY);
}

TEST_F(PropertyFormat, AWantedTypeConvertsTheStoredValue)
{
    const ProbeRead asText = roundTrip(u"Number", Variant(42), VT_BSTR);
    EXPECT_EQ(Text(asText.value), u"42");
    const ProbeRead notANumber = roundTrip(u"Word", Variant::FromString(u"abc"sv), VT_I4);
    EXPECT_EQ(notANumber.result, DISP_E_TYPEMISMATCH);
}

TEST_F(PropertyFormat, ByReferenceValuesArraysAndMissingPropertiesReadAsEmpty)
{
    LONG target = 5;
    Variant byReference;
    byReference.vt = VT_BYREF | VT_I4;
    byReference.plVal = &target;
    Variant array;
    array.vt = VT_ARRAY | VT_I4;
    array.byref = nullptr;

    ComPtr<IPropertyProbe> probe = newProbe();
    probe->Add(u"ByReference", byReference, VT_EMPTY);
    probe->Add(u"Array", array, VT_EMPTY);
    const std::string text = saveToText(probe.get());
    EXPECT_EQ(probe->Writes(), (std::vector<HRESULT>{S_OK, S_OK, S_OK}));
    EXPECT_EQ(text.find("<ByReference"), std::string::npos);
    EXPECT_EQ(text.find("<Array"), std::string::npos);

    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(text, loaded), S_OK);
    for (const ProbeRead& read : loaded.as<IPropertyProbe>()->Reads()) {
        EXPECT_EQ(read.result, S_OK);
        EXPECT_EQ(read.value.vt, VT_EMPTY);
    }
}

TEST_F(PropertyFormat, RefusesWhatAFileCouldNotHoldAndWritesNothingForIt)
{
    Variant null;
    null.vt = VT_NULL;
    ComPtr<IPropertyProbe> probe = newProbe();
    probe->Add(u"", Variant(1), VT_EMPTY);
    probe->Add(u"1st", Variant(1), VT_EMPTY);
    probe->Add(u"Null", null, VT_EMPTY);
    probe->Add(u"Stream", Variant::FromUnknown(CreateMemoryStream().get()), VT_EMPTY);
    const std::string text = saveToText(probe.get());
    EXPECT_EQ(probe->Writes(), (std::vector<HRESULT>{S_OK, E_INVALIDARG, E_INVALIDARG, DISP_E_TYPEMISMATCH, E_NOINTERFACE}));
    EXPECT_EQ(text.find("<1st"), std::string::npos);
    EXPECT_EQ(text.find("<Null"), std::string::npos);
    EXPECT_EQ(text.find("<Stream"), std::string::npos);
}

TEST_F(PropertyFormat, RecordsOfKnownTypesReadBack)
{
    auto* rect = static_cast<tagRECT*>(std::malloc(sizeof(tagRECT)));
    *rect = {-1, 2, 300, 40000};
    Variant record;
    record.vt = VT_RECORD;
    record.record.pvRecord = rect;
    record.record.pRecInfo = &RecordTypeOf(static_cast<const tagRECT*>(nullptr));

    ComPtr<IPropertyProbe> probe = newProbe();
    probe->Add(u"Bounds", record, VT_EMPTY);
    const std::string text = saveToText(probe.get());
    EXPECT_NE(text.find(R"(<Bounds vt="36" uuid="{6A3B2D42-5C8E-4F0B-9D7A-1E2F3A4B5C62}" libid="{43DAD637-BBAB-4BDD-AE30-39205DBAB24A}" major="1" minor="0" lcid="1033"><left vt="3">-1</left><top vt="3">2</top>)"),
              std::string::npos) << text;

    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(text, loaded), S_OK);
    const ProbeRead& read = loaded.as<IPropertyProbe>()->Reads().at(0);
    ASSERT_EQ(read.result, S_OK);
    ASSERT_EQ(read.value.vt, VT_RECORD);
    EXPECT_EQ(read.value.record.pRecInfo->guid, record.record.pRecInfo->guid);
    EXPECT_EQ(*static_cast<tagRECT*>(read.value.record.pvRecord), (tagRECT{-1, 2, 300, 40000}));

    std::string unknownType = text;
    unknownType.replace(unknownType.find("6A3B2D42"), 8, "00000000");
    ASSERT_EQ(loadText(unknownType, loaded), S_OK);
    EXPECT_EQ(loaded.as<IPropertyProbe>()->Reads().at(0).result, MakeHresult(0x8002802B));
}

TEST_F(PropertyFormat, NestedComponentsAreStoredWithTheirClassAndNullObjectsStayNull)
{
    ComPtr<IPropertyProbe> inner = newProbe();
    inner->Add(u"Depth", Variant(2), VT_EMPTY);
    ComPtr<IPropertyProbe> outer = newProbe();
    outer->Add(u"Inner", Variant::FromUnknown(inner.get()), VT_EMPTY);
    outer->Add(u"Nothing", Variant::FromDispatch(nullptr), VT_EMPTY);
    const std::string text = saveToText(outer.get());
    EXPECT_NE(text.find(R"(<Inner vt="13" clsid="{5A1E0B7C-3D2F-4E61-9A8B-7C6D5E4F3A21}">)"), std::string::npos) << text;

    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(text, loaded), S_OK);
    const auto& reads = loaded.as<IPropertyProbe>()->Reads();
    ASSERT_EQ(reads.size(), 2u);
    ASSERT_EQ(reads[0].value.vt, VT_UNKNOWN);
    ComPtr<IPropertyProbe> innerLoaded = ComPtr<IUnknown>(reads[0].value.punkVal).as<IPropertyProbe>();
    EXPECT_EQ(innerLoaded->Reads().at(0).value.lVal, 2);
    EXPECT_EQ(reads[1].value.vt, VT_DISPATCH);
    EXPECT_EQ(reads[1].value.pdispVal, nullptr);
}

}  // namespace
