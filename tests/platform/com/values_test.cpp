#include "platform/com/bstr.h"
#include "platform/com/guid.h"
#include "platform/com/variant.h"

#include <gtest/gtest.h>

using namespace com;

namespace {

TEST(Guids, RoundTripThroughTheRegistryForm)
{
    constexpr GUID document = MakeGuid("{367247ff-e61a-4daa-a8f8-4f05cf2dcc2a}");
    EXPECT_EQ(FormatGuid(document), "{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}");
    EXPECT_EQ(ParseGuid(FormatGuid(document)), document);
    for (const char* bad : {"", "367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A", "{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2}",
                            "{367247FF+E61A-4DAA-A8F8-4F05CF2DCC2A}", "{367247FG-E61A-4DAA-A8F8-4F05CF2DCC2A}"})
        EXPECT_FALSE(ParseGuid(bad)) << bad;
}

TEST(Strings, KeepNullAndEmptyApart)
{
    Bstr null;
    Bstr empty(u"");
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_FALSE(null == empty);
    Bstr copy = empty;
    EXPECT_FALSE(copy.isNull());
    EXPECT_TRUE(Bstr(null).isNull());

    const Bstr withZero(std::u16string_view(u"a\0b", 3));
    EXPECT_EQ(withZero.length(), 3u) << "the length prefix, not the first zero, ends a string";
}

TEST(Strings, ConvertBetweenUtf8AndUtf16)
{
    const std::string text = "Zürich \xF0\x9F\x97\xBA";  // includes a character outside the BMP
    const Bstr converted = Bstr::FromUtf8(text);
    EXPECT_EQ(converted.length(), 9u);
    EXPECT_EQ(converted.toUtf8(), text);
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\xFFFD") << "a cut sequence becomes a replacement character";
}

Variant Converted(const Variant& source, VARTYPE type, HRESULT expected = S_OK)
{
    Variant target;
    EXPECT_EQ(VariantChangeType(&target, &source, 0, type), expected);
    return target;
}

TEST(Variants, ConvertBetweenStringsAndNumbers)
{
    EXPECT_EQ(View(Converted(Variant(LONG(-42)), VT_BSTR).bstrVal), u"-42");
    EXPECT_EQ(Converted(Variant::FromString(std::u16string_view(u" 17 ")), VT_I4).lVal, 17);
    EXPECT_EQ(Converted(Variant::FromString(std::u16string_view(u"2.5")), VT_R8).dblVal, 2.5);
    EXPECT_EQ(Converted(Variant::FromString(std::u16string_view(u"2.5")), VT_I4).lVal, 2) << "rounds to even";
    Converted(Variant::FromString(std::u16string_view(u"seven")), VT_I4, DISP_E_TYPEMISMATCH);
    Converted(Variant::FromString(std::u16string_view(u"99999999999")), VT_I4, DISP_E_OVERFLOW);
    Converted(Variant(LONG(70000)), VT_I2, DISP_E_OVERFLOW);
    EXPECT_EQ(Converted(Variant(LONG(5)), VT_BOOL).boolVal, VARIANT_TRUE);
    EXPECT_EQ(View(Converted(Variant::FromBool(false), VT_BSTR).bstrVal), u"False");
    EXPECT_EQ(Converted(Variant::FromString(static_cast<BSTR>(nullptr)), VT_BSTR).bstrVal, nullptr)
        << "a null string stays null when copied";
}

TEST(Variants, ReadThroughReferences)
{
    LONG number = 12;
    Variant reference;
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &number;
    EXPECT_EQ(View(Converted(reference, VT_BSTR).bstrVal), u"12");

    BSTR text = SysAllocString(u"34");
    Variant stringReference;
    stringReference.vt = VT_BYREF | VT_BSTR;
    stringReference.pbstrVal = &text;
    EXPECT_EQ(Converted(stringReference, VT_I4).lVal, 34);
    SysFreeString(text);
}

TEST(Variants, CopyOwnsItsOwnString)
{
    Variant original = Variant::FromString(std::u16string_view(u"map.jpg"));
    Variant copy = original;
    EXPECT_NE(copy.bstrVal, original.bstrVal);
    EXPECT_EQ(View(copy.bstrVal), u"map.jpg");
    original.clear();
    EXPECT_EQ(original.vt, VT_EMPTY);
    EXPECT_EQ(View(copy.bstrVal), u"map.jpg");
}

}  // namespace
