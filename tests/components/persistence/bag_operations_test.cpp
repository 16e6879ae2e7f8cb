#include "components/interfaces/class_ids.h"
#include "tests/components/persistence/bag_test_fixture.h"

using namespace com;
using persistence_test::BagTest;

namespace {

class XmlPropertyBag : public BagTest {};

const std::string kProbeClass = FormatGuid(CLSID_PropertyProbe);

std::string ProbeElement(const std::string& body)
{
    return "<Object clsid=\"" + kProbeClass + "\">" + body + "</Object>";
}

TEST_F(XmlPropertyBag, IsCreatableByItsProgrammaticIdentifierAndServesOneOperationAtATime)
{
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(u"Components.XMLPropertyBag.1", &classId), S_OK);
    EXPECT_EQ(classId, CLSID_CXMLPropertyBag);

    ComPtr<IPropertyProbe> probe = newProbe();
    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(saveToText(probe.get()), loaded), S_OK);
    EXPECT_EQ(loaded.as<IPropertyProbe>()->NestedOperationResult(), E_UNEXPECTED)
        << "a component may not start an operation on the bag that is loading it";
    EXPECT_FALSE(saveToText(loaded.get()).empty()) << "the bag serves the next operation";

    Variant value;
    ComPtr<IPropertyBag> asBag = bag_.as<IPropertyBag>();
    EXPECT_EQ(asBag->Read(u"Name", &value, nullptr), E_UNEXPECTED);
    EXPECT_EQ(asBag->Write(u"Name", &value), E_UNEXPECTED);
}

TEST_F(XmlPropertyBag, RefusesARootThatCannotBeStored)
{
    ComPtr<IStream> stream = CreateMemoryStream();
    EXPECT_EQ(bag_->SaveToStream(stream.get(), CreateMemoryStream().get()), E_NOINTERFACE);
    EXPECT_EQ(bag_->SaveToStream(stream.get(), nullptr), E_POINTER);
    std::uint64_t size = 1;
    stream->GetSize(&size);
    EXPECT_EQ(size, 0u) << "nothing is written for a refused root";
}

TEST_F(XmlPropertyBag, MissingDamagedAndEmptyFilesFailWithoutAnObject)
{
    writeFile(file("damaged.plm"), ProbeElement("<Name vt=\"3\">1</Nam>"));
    writeFile(file("empty.plm"), "");
    writeFile(file("other.plm"), "<Map><Spot/></Map>");
    for (const char* name : {"missing.plm", "damaged.plm", "empty.plm", "other.plm", ""}) {
        ComPtr<IUnknown> object;
        EXPECT_EQ(bag_->LoadFromFile(Bstr::FromUtf8(file(name).string()).get(), nullptr, object.put()), E_FAIL) << name;
        EXPECT_FALSE(object) << name;
    }
    ComPtr<IUnknown> object;
    EXPECT_EQ(bag_->LoadFromFile(nullptr, nullptr, object.put()), E_FAIL);
}

TEST_F(XmlPropertyBag, FindsTheFirstObjectElementAnywhere)
{
    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText("<Archive><Note/><Folder>" + ProbeElement(R"(<ProbeNames vt="8">0|Name&#10;</ProbeNames><Name vt="3">5</Name>)") +
                           "</Folder><Object clsid=\"{00000000-1111-2222-3333-444444444444}\"/></Archive>",
                       loaded),
              S_OK);
    EXPECT_EQ(loaded.as<IPropertyProbe>()->Reads().at(0).value.lVal, 5);
}

TEST_F(XmlPropertyBag, AClassThatIsNotRegisteredGivesItsCreationCode)
{
    ComPtr<IUnknown> loaded;
    EXPECT_EQ(loadText(R"(<Object clsid="{00000000-1111-2222-3333-444444444444}"/>)", loaded), REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(loaded);

    ASSERT_EQ(loadText(ProbeElement(R"(<ProbeNames vt="8">13|Inner&#10;</ProbeNames>)"
                                    R"(<Inner vt="13" clsid="{00000000-1111-2222-3333-444444444444}"/>)"),
                       loaded),
              S_OK)
        << "the enclosing component decides what a failed read means";
    EXPECT_EQ(loaded.as<IPropertyProbe>()->Reads().at(0).result, REGDB_E_CLASSNOTREG);
}

TEST_F(XmlPropertyBag, MalformedClassIdentifiersAndTypesFail)
{
    ComPtr<IUnknown> loaded;
    EXPECT_EQ(loadText(R"(<Object clsid="{not-a-class}"/>)", loaded), CO_E_CLASSSTRING);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loadText(R"(<Object clsid="{00000000-0000-0000-0000-000000000000}"/>)", loaded), E_FAIL);
    EXPECT_EQ(loadText(R"(<Object/>)", loaded), E_FAIL);
    EXPECT_FALSE(loaded);

    ASSERT_EQ(loadText(ProbeElement(R"(<ProbeNames vt="8">0|A&#10;0|B&#10;0|C&#10;0|D&#10;0|E&#10;</ProbeNames>)"
                                    R"(<A vt="three">3</A><B>3</B><C vt="8195">3</C><D vt="99999">3</D>)"
                                    R"(<E vt="13" clsid="5A1E0B7C"/>)"),
                       loaded),
              S_OK);
    const auto& reads = loaded.as<IPropertyProbe>()->Reads();
    ASSERT_EQ(reads.size(), 5u);
    EXPECT_EQ(reads[0].result, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(reads[1].result, DISP_E_TYPEMISMATCH) << "a missing vt";
    EXPECT_EQ(reads[2].result, DISP_E_BADVARTYPE) << "an array type";
    EXPECT_EQ(reads[3].result, DISP_E_OVERFLOW);
    EXPECT_EQ(reads[4].result, CO_E_CLASSSTRING);
}

TEST_F(XmlPropertyBag, AComponentWhoseLoadFailsIsNotHandedOut)
{
    ComPtr<IPropertyProbe> failing = newProbe();
    failing->Add(u"ProbeLoadResult", Variant::FromError(E_ACCESSDENIED), VT_EMPTY);
    const std::string failingText = saveToText(failing.get());
    ComPtr<IUnknown> loaded;
    EXPECT_EQ(loadText(failingText, loaded), E_ACCESSDENIED);
    EXPECT_FALSE(loaded);

    ComPtr<IPropertyProbe> outer = newProbe();
    outer->Add(u"Inner", Variant::FromUnknown(failing.get()), VT_EMPTY);
    ASSERT_EQ(loadText(saveToText(outer.get()), loaded), S_OK);
    const ProbeRead& inner = loaded.as<IPropertyProbe>()->Reads().at(0);
    EXPECT_EQ(inner.result, E_ACCESSDENIED);
    EXPECT_EQ(inner.value.vt, VT_EMPTY);
}

TEST_F(XmlPropertyBag, TheCallersErrorLogReachesTheRootsAndNestedComponentsLoad)
{
    class ErrorLog final : public Implements<ErrorLog, IErrorLog> {
    public:
        HRESULT AddError(const OLECHAR*, EXCEPINFO*) noexcept override { return S_OK; }
    };
    ComPtr<IPropertyProbe> outer = newProbe();
    outer->Add(u"Inner", Variant::FromUnknown(newProbe().get()), VT_EMPTY);
    const std::string path = file("probe.xml").string();
    ASSERT_EQ(bag_->SaveToFile(Bstr::FromUtf8(path).get(), outer.get()), S_OK);

    const ComPtr<ErrorLog> log = Make<ErrorLog>();
    ComPtr<IUnknown> loaded;
    ASSERT_EQ(bag_->LoadFromFile(Bstr::FromUtf8(path).get(), log.get(), loaded.put()), S_OK);
    const ComPtr<IPropertyProbe> root = loaded.as<IPropertyProbe>();
    EXPECT_EQ(root->LoadErrorLog(), log.get());
    const ProbeRead& inner = root->Reads().at(0);
    ASSERT_EQ(inner.value.vt, VT_UNKNOWN);
    EXPECT_EQ(ComPtr<IUnknown>(inner.value.punkVal).as<IPropertyProbe>()->LoadErrorLog(), log.get());
}

TEST_F(XmlPropertyBag, HandsTheLoadedObjectOutThroughDispatch)
{
    ComPtr<IPropertyProbe> probe = newProbe();
    const std::string path = file("probe.xml").string();
    ASSERT_EQ(bag_->SaveToFile(Bstr::FromUtf8(path).get(), probe.get()), S_OK);

    IUnknown* object = nullptr;
    Variant out;
    out.vt = VT_BYREF | VT_UNKNOWN;
    out.ppunkVal = &object;
    Variant errorLog = Variant::FromUnknown(nullptr);
    Variant name = Variant::FromString(Bstr::FromUtf8(path).get());
    VARIANT arguments[] = {out, errorLog, name};
    DISPPARAMS params{arguments, nullptr, 3, 0};
    ASSERT_EQ(bag_.as<IDispatch>()->Invoke(2, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    ComPtr<IUnknown> loaded = ComPtr<IUnknown>::Attach(object);
    EXPECT_TRUE(loaded.tryAs<IPropertyProbe>());
}

}  // namespace
