#include "components/interfaces/document.h"
#include "components/interfaces/photo_spot.h"
#include "components/persistence/cxml_property_bag.h"
#include "tests/components/persistence/bag_test_fixture.h"

#include <chrono>

using namespace com;
using persistence_test::BagTest;

namespace {

class HostileDocumentFile : public BagTest {
protected:
    // Loads and tells how long it took.
    HRESULT timedLoad(const std::string& text, ComPtr<IUnknown>& object, std::chrono::milliseconds& took)
    {
        const auto start = std::chrono::steady_clock::now();
        const HRESULT hr = loadText(text, object);
        took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        return hr;
    }

    static constexpr auto kPromptly = std::chrono::milliseconds(1000);
};

const std::string kDocument = R"(<Object clsid="{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}">)";
const std::string kPhotoSpot = R"(vt="9" clsid="{37ED8AE6-6686-4D72-8646-76614F2D5BD3}")";

std::string Repeated(const std::string& text, int times)
{
    std::string result;
    result.reserve(text.size() * times);
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

TEST_F(HostileDocumentFile, NestingDeeperThanTheBoundFailsPromptly)
{
    constexpr int kDepth = 100'000;
    const std::string nestedSpots = kDocument + R"(<NumSpotsKey vt="3">1</NumSpotsKey>)" +
                                    Repeated(R"(<Spot__0__Key vt="9" clsid="{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}">)", kDepth) +
                                    Repeated("</Spot__0__Key>", kDepth) + "</Object>";
    const std::string nestedObjects = Repeated(kDocument, kDepth) + Repeated("</Object>", kDepth);
    for (const std::string* text : {&nestedSpots, &nestedObjects}) {
        ComPtr<IUnknown> loaded;
        std::chrono::milliseconds took{};
        EXPECT_EQ(timedLoad(*text, loaded, took), E_FAIL);
        EXPECT_FALSE(loaded);
        EXPECT_LT(took, kPromptly);
    }
}

TEST_F(HostileDocumentFile, NestingUpToTheBoundLoads)
{
    // Documents stored inside documents: each level adds one element, and its keys one more.
    const auto nestedDocuments = [](std::size_t levels) {
        const std::string level = R"(<NumSpotsKey vt="3">1</NumSpotsKey><Spot__0__Key vt="9" clsid="{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}">)";
        return kDocument + Repeated(level, static_cast<int>(levels)) + R"(<NumSpotsKey vt="3">0</NumSpotsKey>)" +
               Repeated("</Spot__0__Key>", static_cast<int>(levels)) + "</Object>";
    };
    ComPtr<IUnknown> loaded;
    EXPECT_EQ(loadText(nestedDocuments(CXMLPropertyBag::kMaxNesting - 2), loaded), S_OK);
    EXPECT_EQ(loadText(nestedDocuments(CXMLPropertyBag::kMaxNesting - 1), loaded), E_FAIL);
    EXPECT_FALSE(loaded);
}

TEST_F(HostileDocumentFile, CountsLargerThanWhatIsStoredReadOnlyWhatIsThere)
{
    const std::string text = kDocument + R"(<NumSpotsKey vt="3">2147483647</NumSpotsKey>)" +
                             "<Spot__0__Key " + kPhotoSpot + R"(><NumFilesKey vt="3">2147483647</NumFilesKey>)" +
                             R"(<File__0__Key vt="8">/p/a.jpg</File__0__Key></Spot__0__Key>)" +
                             "<Spot__1__Key " + kPhotoSpot + "/></Object>";
    ComPtr<IUnknown> loaded;
    std::chrono::milliseconds took{};
    ASSERT_EQ(timedLoad(text, loaded, took), S_OK);
    EXPECT_LT(took, kPromptly);
    ComPtr<IDocument> document = loaded.as<IDocument>();
    LONG spots = 0;
    document->GetNumSpots(&spots);
    EXPECT_EQ(spots, 2);
    ComPtr<IBaseSpot> first;
    ASSERT_EQ(document->SpotAtIndex(0, first.put()), S_OK);
    LONG pictures = 0;
    first.as<IPhotoSpot>()->NumImages(&pictures);
    EXPECT_EQ(pictures, 1);
    document->Empty();
}

TEST_F(HostileDocumentFile, ASpotWithAMalformedClassOrTypeIsSkipped)
{
    const std::string text = kDocument + R"(<NumSpotsKey vt="3">4</NumSpotsKey>)" +
                             R"(<Spot__0__Key vt="9" clsid="{37ED8AE6-6686"/>)" + R"(<Spot__1__Key vt="nine"/>)" +
                             R"(<Spot__2__Key vt="9" clsid="{00000000-1111-2222-3333-444444444444}"/>)" +
                             "<Spot__3__Key " + kPhotoSpot + "/></Object>";
    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(text, loaded), S_OK);
    ComPtr<IDocument> document = loaded.as<IDocument>();
    LONG spots = 0;
    document->GetNumSpots(&spots);
    EXPECT_EQ(spots, 1) << "only the well-formed spot";
    document->Empty();
}

}  // namespace
