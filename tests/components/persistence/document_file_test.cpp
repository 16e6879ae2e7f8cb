#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "tests/components/persistence/bag_test_fixture.h"
#include "tests/components/persistence/document_contents.h"

#include <pugixml.hpp>

using namespace com;
using persistence_test::BagTest;
using persistence_test::DocumentContents;

namespace {

// A spot whose own save fails, so the bag leaves its key out of the file.
class UnsavableSpot final : public Implements<UnsavableSpot, IBaseSpot, IPersistPropertyBag> {
public:
    HRESULT PointInSpot(LONG, LONG, VARIANT_BOOL*) noexcept override { return S_OK; }
    HRESULT GetSelected(VARIANT_BOOL*) noexcept override { return S_OK; }
    HRESULT SetSelected(VARIANT_BOOL) noexcept override { return S_OK; }
    HRESULT GetBounds(tagRECT*) noexcept override { return S_OK; }
    HRESULT SetBounds(tagRECT*) noexcept override { return S_OK; }
    HRESULT WasVisited(VARIANT_BOOL*) noexcept override { return S_OK; }
    HRESULT SetVisited(VARIANT_BOOL) noexcept override { return S_OK; }
    HRESULT SetDocument(IUnknown*) noexcept override { return S_OK; }
    HRESULT GetClassID(CLSID* classId) noexcept override
    {
        *classId = CLSID_PLPhotoSpot;
        return S_OK;
    }
    HRESULT InitNew() noexcept override { return S_OK; }
    HRESULT Load(IPropertyBag*, IErrorLog*) noexcept override { return S_OK; }
    HRESULT Save(IPropertyBag*, int, int) noexcept override { return E_FAIL; }
};

class DocumentFile : public BagTest {
protected:
    // A map with a photo spot (three pictures and a sound), a map spot and a photo spot without sound.
    ComPtr<IDocument> sampleDocument()
    {
        ComPtr<IDocument> document = CreateInstance<IDocument>(CLSID_PLDocument);
        document->SetMapFile(Bstr(u"/home/anna/Maps/Italia \u00e8 bella.jpg").get());
        addPhotoSpot(document, {10, 20, 50, 60}, {u"/p/rome.jpg", u"/p/milan & co.jpg", u"/p/rome.jpg"}, u"/s/song.mp3");
        ComPtr<IMapSpot> link = CreateInstance<IMapSpot>(CLSID_PLMapSpot);
        tagRECT bounds{-5, 100, 0, 140};
        link->InitSpot(&bounds, nullptr);
        Bstr linked(u"/home/anna/Maps/roma.plm");
        BSTR linkedName = linked.get();
        link->SetFileName(&linkedName);
        document->AddSpot(link.as<IBaseSpot>().get());
        addPhotoSpot(document, {0, 0, 1, 1}, {u"/p/only.jpg"}, nullptr);
        return document;
    }

    static void addPhotoSpot(const ComPtr<IDocument>& document, tagRECT bounds,
                             std::initializer_list<const char16_t*> pictures, const char16_t* audio)
    {
        ComPtr<IPhotoSpot> spot = CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
        spot->InitSpot(&bounds, nullptr);
        for (const char16_t* picture : pictures) {
            Bstr copy(picture);
            BSTR name = copy.get();
            spot->AddPhoto(&name);
        }
        if (audio) {
            Bstr copy(audio);
            BSTR name = copy.get();
            spot->SetAudioFile(&name);
        }
        document->AddSpot(spot.as<IBaseSpot>().get());
    }

    ComPtr<IDocument> loadDocument(const std::string& text)
    {
        ComPtr<IUnknown> loaded;
        EXPECT_EQ(loadText(text, loaded), S_OK);
        return loaded ? loaded.as<IDocument>() : ComPtr<IDocument>();
    }

    static std::vector<std::string> childNames(pugi::xml_node element)
    {
        std::vector<std::string> names;
        for (const pugi::xml_node child : element.children()) names.emplace_back(child.name());
        return names;
    }
};

TEST_F(DocumentFile, StoresTheKeysOfADocumentAndItsSpotInWritingOrder)
{
    ComPtr<IDocument> document = CreateInstance<IDocument>(CLSID_PLDocument);
    addPhotoSpot(document, {1, 2, 3, 4}, {u"/p/a.jpg", u"/p/b.jpg"}, nullptr);
    const std::string text = saveToText(document.get());

    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(text.c_str()));
    const pugi::xml_node root = xml.document_element();
    EXPECT_STREQ(root.name(), "Object");
    EXPECT_STREQ(root.attribute("clsid").value(), "{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}");
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"MapFileKey", "NumSpotsKey", "Spot__0__Key"}));
    const pugi::xml_node spot = root.child("Spot__0__Key");
    EXPECT_STREQ(spot.attribute("vt").value(), "9");
    EXPECT_STREQ(spot.attribute("clsid").value(), "{37ED8AE6-6686-4D72-8646-76614F2D5BD3}");
    EXPECT_EQ(childNames(spot), (std::vector<std::string>{"NumFilesKey", "BoundsTopKey", "BoundsLeftKey", "BoundsBottomKey",
                                                          "BoundsRightKey", "File__0__Key", "File__1__Key", "AudioFileKey"}));
    EXPECT_NE(text.find(R"(<NumSpotsKey vt="3">1</NumSpotsKey>)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"(<File__1__Key vt="8">/p/b.jpg</File__1__Key>)"), std::string::npos) << text;
    EXPECT_STREQ(spot.child("AudioFileKey").attribute("vt").value(), "8");
    EXPECT_STREQ(spot.child_value("AudioFileKey"), "") << "no sound is stored as an empty string";
}

TEST_F(DocumentFile, RoundTripsPhotoAndMapSpotsThroughAFile)
{
    ComPtr<IDocument> original = sampleDocument();
    const Bstr path = Bstr::FromUtf8(file("Italia.plm").string());
    ASSERT_EQ(bag_->SaveToFile(path.get(), original.get()), S_OK);
    ASSERT_EQ(bag_->SaveToFile(path.get(), original.get()), S_OK) << "the bag serves a second save";

    ComPtr<IUnknown> loaded;
    ASSERT_EQ(bag_->LoadFromFile(path.get(), nullptr, loaded.put()), S_OK);
    ComPtr<IDocument> copy = loaded.as<IDocument>();
    EXPECT_EQ(DocumentContents::Of(copy), DocumentContents::Of(original));
    LONG dirty = 1;
    copy->IsDirty(&dirty);
    EXPECT_EQ(dirty, 0);
    copy->Empty();
    original->Empty();
}

TEST_F(DocumentFile, RoundTripsPhotoAndMapSpotsThroughAStream)
{
    ComPtr<IDocument> original = sampleDocument();
    ComPtr<IDocument> copy = loadDocument(saveToText(original.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(DocumentContents::Of(copy), DocumentContents::Of(original));
    copy->Empty();
    original->Empty();
}

TEST_F(DocumentFile, ADocumentSavedWithoutAMapFileReadsBackWithAnEmptyOne)
{
    ComPtr<IDocument> original = CreateInstance<IDocument>(CLSID_PLDocument);
    ComPtr<IDocument> copy = loadDocument(saveToText(original.get()));
    ASSERT_TRUE(copy);
    Bstr mapFile;
    ASSERT_EQ(copy->GetMapFile(mapFile.put()), S_OK);
    EXPECT_FALSE(mapFile.isNull());
    EXPECT_EQ(mapFile.length(), 0u);
}

TEST_F(DocumentFile, ASpotStoredWithoutAudioFileKeyHasNoSound)
{
    ComPtr<IDocument> copy = loadDocument(
        R"(<Object clsid="{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}"><NumSpotsKey vt="3">1</NumSpotsKey>)"
        R"(<Spot__0__Key vt="9" clsid="{37ED8AE6-6686-4D72-8646-76614F2D5BD3}"><NumFilesKey vt="3">1</NumFilesKey>)"
        R"(<File__0__Key vt="8">/p/a.jpg</File__0__Key></Spot__0__Key></Object>)");
    ASSERT_TRUE(copy);
    ComPtr<IBaseSpot> spot;
    ASSERT_EQ(copy->SpotAtIndex(0, spot.put()), S_OK);
    Bstr audio;
    ASSERT_EQ(spot.as<IPhotoSpot>()->GetAudioFile(audio.put()), S_OK);
    EXPECT_TRUE(audio.isNull());
    copy->Empty();
}

TEST_F(DocumentFile, APhotoSpotSavedWithoutSoundLoadsBackWithAnEmptyName)
{
    ComPtr<IDocument> original = CreateInstance<IDocument>(CLSID_PLDocument);
    addPhotoSpot(original, {0, 0, 1, 1}, {u"/p/a.jpg"}, nullptr);
    ComPtr<IDocument> copy = loadDocument(saveToText(original.get()));
    ASSERT_TRUE(copy);
    ComPtr<IBaseSpot> spot;
    ASSERT_EQ(copy->SpotAtIndex(0, spot.put()), S_OK);
    Bstr audio;
    ASSERT_EQ(spot.as<IPhotoSpot>()->GetAudioFile(audio.put()), S_OK);
    EXPECT_FALSE(audio.isNull());
    EXPECT_EQ(audio.length(), 0u);
    copy->Empty();
    original->Empty();
}

// One gap, whether a spot failed to save or a hand-edited file lost a key, costs only what is
// missing: the spots and pictures after it load.
TEST_F(DocumentFile, AMissingSpotOrPictureKeyCostsOnlyItself)
{
    ComPtr<IDocument> original = CreateInstance<IDocument>(CLSID_PLDocument);
    addPhotoSpot(original, {0, 0, 1, 1}, {u"/p/a.jpg"}, nullptr);
    original->AddSpot(Make<UnsavableSpot>().as<IBaseSpot>().get());
    addPhotoSpot(original, {2, 2, 3, 3}, {u"/p/c.jpg", u"/p/d.jpg"}, u"/s/c.mp3");
    std::string text = saveToText(original.get());
    ASSERT_EQ(text.find("Spot__1__Key"), std::string::npos) << text;
    ComPtr<IDocument> copy = loadDocument(text);
    ASSERT_TRUE(copy);
    DocumentContents contents = DocumentContents::Of(copy);
    ASSERT_EQ(contents.spots.size(), 2u);
    EXPECT_EQ(contents.spots[1].pictures, (std::vector<std::u16string>{u"/p/c.jpg", u"/p/d.jpg"}));
    copy->Empty();

    const std::string firstPicture = R"(<File__0__Key vt="8">/p/c.jpg</File__0__Key>)";
    text.erase(text.find(firstPicture), firstPicture.size());
    copy = loadDocument(text);
    ASSERT_TRUE(copy);
    contents = DocumentContents::Of(copy);
    ASSERT_EQ(contents.spots.size(), 2u);
    EXPECT_EQ(contents.spots[1].pictures, (std::vector<std::u16string>{u"/p/d.jpg"}));
    EXPECT_EQ(contents.spots[1].audio, u"/s/c.mp3");
    copy->Empty();
    original->Empty();
}

}  // namespace
