#include "components/interfaces/class_ids.h"
#include "tests/components/persistence/bag_test_fixture.h"
#include "tests/support/document_model.h"

#include <pugixml.hpp>

using namespace com;
using persistence_test::BagTest;
using test_support::StoryWords;

namespace {

constexpr char kPhotoSpotWithoutStory[] =
    R"(<Spot__0__Key vt="9" clsid="{37ED8AE6-6686-4D72-8646-76614F2D5BD3}"><NumFilesKey vt="3">2</NumFilesKey>)"
    R"(<BoundsTopKey vt="3">2</BoundsTopKey><BoundsLeftKey vt="3">1</BoundsLeftKey><BoundsBottomKey vt="3">4</BoundsBottomKey>)"
    R"(<BoundsRightKey vt="3">3</BoundsRightKey><File__0__Key vt="8">/p/a.jpg</File__0__Key>)"
    R"(<File__1__Key vt="8">/p/b.jpg</File__1__Key><AudioFileKey vt="8"></AudioFileKey></Spot__0__Key>)";

class SpotStoryFile : public BagTest {
protected:
    void SetUp() override
    {
        BagTest::SetUp();
        document_ = test_support::MakeDocument();
        photo_ = test_support::MakePhotoSpot(nullptr, {1, 2, 3, 4});
        test_support::AddPhoto(photo_, u"/p/a.jpg");
        test_support::AddPhoto(photo_, u"/p/b.jpg");
        link_ = test_support::MakeMapSpot(nullptr, {5, 6, 7, 8});
        document_->AddSpot(test_support::BaseOf(photo_.get()).get());
        document_->AddSpot(test_support::BaseOf(link_.get()).get());
    }

    void TearDown() override
    {
        document_->Empty();
        document_.reset();
        photo_.reset();
        link_.reset();
        BagTest::TearDown();
    }

    ComPtr<IDocument> reloaded()
    {
        ComPtr<IUnknown> loaded;
        EXPECT_EQ(loadText(saveToText(document_.get()), loaded), S_OK);
        return loaded.as<IDocument>();
    }

    ComPtr<IDocument> document_;
    ComPtr<IPhotoSpot> photo_;
    ComPtr<IMapSpot> link_;
};

TEST_F(SpotStoryFile, EveryTextAUserCanTypeReadsBackExactly)
{
    const std::u16string texts[] = {
        u"Harbour at dawn",
        u"First line\nsecond line\n\nA new paragraph\r\nafter a Windows line end",
        u"\tTabbed,  double  spaced and trailing  ",
        u"   ",
        u"<b>not bold</b> & \"quoted\" 'single' ]]> &amp;",
        u"Emoji \U0001F30A\U0001F3D4 and \u00e8\u4eac\u00df outside and inside the Basic Multilingual Plane",
    };
    for (const std::u16string& text : texts) {
        const StoryWords words{text, text + u"\n" + text, {text, u""}};
        test_support::SetStory(photo_.get(), words);
        test_support::SetStory(link_.get(), {text, text, {}});
        const ComPtr<IDocument> copy = reloaded();
        const auto spots = test_support::SpotsOf(copy);
        ASSERT_EQ(spots.size(), 2u);
        EXPECT_EQ(test_support::StoryOf(spots[0].get()), words) << std::string(text.begin(), text.end());
        EXPECT_EQ(test_support::StoryOf(spots[1].get()), (StoryWords{text, text, {}}));
        copy->Empty();
    }
}

TEST_F(SpotStoryFile, CharactersXmlCannotHoldAreDroppedOnInput)
{
    test_support::SetStory(photo_.get(), {u"a\u0001b\u000Bc\uFFFEd\uFFFF", std::u16string(u"x\0y", 3) + u"\xD800z\xDC00", {u"\u001Fq"}});
    EXPECT_EQ(test_support::StoryOf(photo_.get()), (StoryWords{u"abcd", u"xyz", {u"q", u""}}));
    const std::string text = saveToText(document_.get());
    pugi::xml_document xml;
    EXPECT_TRUE(xml.load_string(text.c_str())) << text;
}

TEST_F(SpotStoryFile, KeysAreWrittenAfterTheSpotsOwnAndOnlyWhenThereAreWords)
{
    const std::string withoutStory = saveToText(document_.get());
    EXPECT_NE(withoutStory.find(kPhotoSpotWithoutStory), std::string::npos)
        << "a spot without a story is stored as it always was: " << withoutStory;
    EXPECT_EQ(withoutStory.find("Title"), std::string::npos);

    test_support::SetStory(photo_.get(), {u"", u"Text", {u"", u"Second"}});
    test_support::SetStory(link_.get(), {u"Title", u"", {}});
    const std::string withStory = saveToText(document_.get());
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(withStory.c_str()));
    const auto names = [](pugi::xml_node element) {
        std::vector<std::string> found;
        for (const pugi::xml_node child : element.children()) found.emplace_back(child.name());
        return found;
    };
    const pugi::xml_node root = xml.document_element();
    EXPECT_EQ(names(root.child("Spot__0__Key")),
              (std::vector<std::string>{"NumFilesKey", "BoundsTopKey", "BoundsLeftKey", "BoundsBottomKey", "BoundsRightKey",
                                        "File__0__Key", "File__1__Key", "AudioFileKey", "TextKey", "Caption__1__Key"}));
    EXPECT_EQ(names(root.child("Spot__1__Key")),
              (std::vector<std::string>{"MapNameKey", "BoundsTopKey", "BoundsLeftKey", "BoundsBottomKey", "BoundsRightKey",
                                        "TitleKey"}));
    EXPECT_STREQ(root.child("Spot__0__Key").child("Caption__1__Key").attribute("vt").value(), "8");

    test_support::SetStory(photo_.get(), {u"", u"", {u"", u""}});
    test_support::SetStory(link_.get(), {u"", u"", {}});
    EXPECT_EQ(saveToText(document_.get()), withoutStory) << "emptied stories leave no keys behind";
}

TEST_F(SpotStoryFile, KeysAreReadInAnyOrderAndACaptionWithoutItsPictureIsDropped)
{
    ComPtr<IUnknown> loaded;
    ASSERT_EQ(loadText(R"(<Object clsid="{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}"><NumSpotsKey vt="3">1</NumSpotsKey>)"
                       R"(<Spot__0__Key vt="9" clsid="{37ED8AE6-6686-4D72-8646-76614F2D5BD3}">)"
                       R"(<Caption__7__Key vt="8">lost</Caption__7__Key><TextKey vt="8">Text</TextKey>)"
                       R"(<Caption__0__Key vt="8">First &amp; only</Caption__0__Key><NumFilesKey vt="3">1</NumFilesKey>)"
                       R"(<TitleKey vt="8">Title&#x1;</TitleKey><File__0__Key vt="8">/p/a.jpg</File__0__Key></Spot__0__Key></Object>)",
                       loaded),
              S_OK);
    const ComPtr<IDocument> copy = loaded.as<IDocument>();
    const auto spots = test_support::SpotsOf(copy);
    ASSERT_EQ(spots.size(), 1u);
    EXPECT_EQ(test_support::StoryOf(spots[0].get()), (StoryWords{u"Title", u"Text", {u"First & only"}}));
    EXPECT_EQ(saveToText(copy.get()).find("lost"), std::string::npos);
    copy->Empty();
}

}  // namespace
