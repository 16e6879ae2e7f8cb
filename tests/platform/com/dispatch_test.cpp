#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"
#include "platform/com/implements.h"

#include <gtest/gtest.h>

using namespace com;

namespace {

inline constexpr IID IID_ISurveyor = MakeGuid("{5E1F0A77-2C3B-4D5E-8F90-A1B2C3D4E5F6}");

// An interface with one member of each argument shape the system's interfaces use.
struct ISurveyor : IDispatch {
    static constexpr const IID& kIid = IID_ISurveyor;
    using Base = IDispatch;
    virtual HRESULT Difference(LONG from, LONG to, LONG* out) noexcept = 0;
    virtual HRESULT Label(BSTR* inName, BSTR* outLabel) noexcept = 0;
    virtual HRESULT Area(tagRECT* inBounds, LONG* out) noexcept = 0;
    virtual HRESULT Remember(IUnknown* inObject) noexcept = 0;
    virtual HRESULT Flag(VARIANT_BOOL* inFlag) noexcept = 0;
};

std::span<const DispatchMember> DispatchTableOf(const ISurveyor*)
{
    static constexpr DispatchMember members[] = {
        Method<&ISurveyor::Difference, kRetval>(1, u"Difference"),
        Method<&ISurveyor::Label>(2, u"Label"),
        Method<&ISurveyor::Area, kRetval>(3, u"Area"),
        Method<&ISurveyor::Remember>(4, u"Remember"),
        Method<&ISurveyor::Flag>(5, u"Flag"),
    };
    return members;
}

class Surveyor final : public Implements<Surveyor, ISurveyor> {
public:
    HRESULT Difference(LONG from, LONG to, LONG* out) noexcept override
    {
        *out = to - from;
        return S_OK;
    }
    HRESULT Label(BSTR* inName, BSTR* outLabel) noexcept override
    {
        *outLabel = Bstr(u"<" + std::u16string(View(*inName)) + u">").detach();
        return S_OK;
    }
    HRESULT Area(tagRECT* bounds, LONG* out) noexcept override
    {
        *out = (bounds->right - bounds->left) * (bounds->bottom - bounds->top);
        return S_OK;
    }
    HRESULT Remember(IUnknown* object) noexcept override
    {
        remembered = ComPtr<IUnknown>(object);
        return S_OK;
    }
    HRESULT Flag(VARIANT_BOOL* flag) noexcept override
    {
        lastFlag = *flag;
        return S_OK;
    }
    ComPtr<IUnknown> remembered;
    VARIANT_BOOL lastFlag = 0;
};

DISPID IdOf(IDispatch* target, const char16_t* name)
{
    DISPID id = 0;
    const OLECHAR* names[] = {name};
    EXPECT_EQ(target->GetIDsOfNames(GUID_NULL, names, 1, 0, &id), S_OK);
    return id;
}

TEST(Dispatch, LooksNamesUpWithoutRegardToCase)
{
    auto surveyor = Make<Surveyor>();
    EXPECT_EQ(IdOf(surveyor.get(), u"difference"), 1);
    EXPECT_EQ(IdOf(surveyor.get(), u"AREA"), 3);
    DISPID id = 0;
    const OLECHAR* unknown[] = {u"Nothing"};
    EXPECT_EQ(surveyor->GetIDsOfNames(GUID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST(Dispatch, DecodesReversedArgumentsAndCoercesThem)
{
    auto surveyor = Make<Surveyor>();
    Variant result;
    ASSERT_EQ(InvokeMethod(surveyor.get(), 1, &result, LONG(10), LONG(25)), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 15) << "first argument is the last in rgvarg";

    // A string holding a number is coerced to the parameter's type.
    Variant args[2];
    args[1] = Variant::FromString(std::u16string_view(u"4"));
    args[0] = Variant(LONG(7));
    DISPPARAMS params{args, nullptr, 2, 0};
    ASSERT_EQ(surveyor->Invoke(1, GUID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 3);
}

TEST(Dispatch, WritesOutputsThroughByReferenceArguments)
{
    auto surveyor = Make<Surveyor>();
    Bstr name(u"Rome");
    BSTR label = nullptr;
    Variant args[2];
    args[1] = Variant::FromString(name.get());
    args[0].vt = VT_BYREF | VT_BSTR;
    args[0].pbstrVal = &label;
    DISPPARAMS params{args, nullptr, 2, 0};
    ASSERT_EQ(surveyor->Invoke(2, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    const Bstr owned = Bstr::Attach(label);
    EXPECT_EQ(owned.view(), u"<Rome>");

    // Without a reference to write to, the output is dropped (and freed: the sanitizer build checks).
    args[0] = Variant::FromString(std::u16string_view(u"ignored"));
    EXPECT_EQ(surveyor->Invoke(2, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
}

TEST(Dispatch, PassesRecordsInterfacesAndPointersToScalars)
{
    auto surveyor = Make<Surveyor>();
    const tagRECT bounds{10, 20, 14, 25};
    Variant area;
    ASSERT_EQ(InvokeMethod(surveyor.get(), 3, &area, &bounds), S_OK);
    EXPECT_EQ(area.lVal, 20);

    auto other = Make<Surveyor>();
    ASSERT_EQ(InvokeMethod(surveyor.get(), 4, nullptr, static_cast<IDispatch*>(other.get())), S_OK);
    EXPECT_TRUE(SameObject(surveyor->remembered.get(), other.get()));
    surveyor->remembered.reset();

    ASSERT_EQ(InvokeMethod(surveyor.get(), 5, nullptr, VARIANT_BOOL(7)), S_OK);
    EXPECT_EQ(surveyor->lastFlag, 7);
}

TEST(Dispatch, AnswersTheThreeDecodingErrors)
{
    auto surveyor = Make<Surveyor>();
    Variant result;
    EXPECT_EQ(InvokeMethod(surveyor.get(), 1, &result, LONG(1)), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(InvokeMethod(surveyor.get(), 1, &result, LONG(1), LONG(2), LONG(3)), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(InvokeMethod(surveyor.get(), 99, &result), DISP_E_MEMBERNOTFOUND);

    Variant args[2];
    args[1] = Variant(LONG(1));
    args[0] = Variant::FromString(std::u16string_view(u"not a number"));
    DISPPARAMS params{args, nullptr, 2, 0};
    UINT argumentError = 99;
    EXPECT_EQ(surveyor->Invoke(1, GUID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, &argumentError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argumentError, 0u) << "the failing argument's place in rgvarg";

    const LONG notARecord = 5;
    EXPECT_EQ(InvokeMethod(surveyor.get(), 3, &result, notARecord), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(InvokeMethod(surveyor.get(), 4, nullptr, LONG(3)), DISP_E_TYPEMISMATCH);
    // A property get of a plain method is not a kind of call it answers.
    DISPPARAMS none{};
    EXPECT_EQ(surveyor->Invoke(2, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST(WeakReferences, ResolveOnlyWhileTheObjectLives)
{
    WeakPtr<ISurveyor> weak;
    {
        auto surveyor = Make<Surveyor>();
        weak.reset(surveyor->identity());
        EXPECT_EQ(weak.lock().get(), static_cast<ISurveyor*>(surveyor.get()));
    }
    EXPECT_FALSE(weak.lock());
}

}  // namespace
