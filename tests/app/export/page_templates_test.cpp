#include "app/export/page_templates.h"
#include "tests/app/export/site_folder.h"

#include <gtest/gtest.h>

using html_export::PageTemplates;
using export_test::ExpectedPage;

namespace {

QString threePictureList(QString (*entry)(int, int))
{
    return entry(4, 0) + PageTemplates::ListSeparator() + entry(4, 1) + PageTemplates::ListSeparator() + entry(4, 2);
}

}  // namespace

TEST(PageTemplates, IndexPagePartsMatchTheirTextsByteForByte)
{
    EXPECT_EQ(PageTemplates::IndexHead("Lake Shore", PageTemplates::RootLinkLine()), ExpectedPage("index_head_root.txt"));
    EXPECT_EQ(PageTemplates::IndexHead("Harbour", PageTemplates::ParentLinkLine("France")),
              ExpectedPage("index_head_linked.txt"));
    EXPECT_EQ(PageTemplates::MapSpotPin(154, 134, 12), ExpectedPage("map_spot_pin.txt"));
    EXPECT_EQ(PageTemplates::PhotoSpotPin(154, 134, 12), ExpectedPage("photo_spot_pin.txt"));
    EXPECT_EQ(PageTemplates::IndexClosing(), ExpectedPage("closing.txt"));
}

TEST(PageTemplates, SpotPagePartsMatchTheirTextsByteForByte)
{
    EXPECT_EQ(PageTemplates::SpotHead("Harbour", "France"), ExpectedPage("spot_head.txt"));
    EXPECT_EQ(PageTemplates::WaitingNote(), ExpectedPage("waiting_note.txt"));
    EXPECT_EQ(PageTemplates::SoundLine("spot2_sound.mp3"), ExpectedPage("sound_line.txt"));
    EXPECT_EQ(PageTemplates::SlideShowScript(threePictureList(&PageTemplates::PictureEntry),
                                             threePictureList(&PageTemplates::LowResolutionEntry)),
              ExpectedPage("slide_show_three_pictures.txt"));
    EXPECT_EQ(PageTemplates::SlideShowScript(QString(), QString()), ExpectedPage("slide_show_no_pictures.txt"));
}

TEST(PageTemplates, ThreePictureListsHoldTwoCommasEach)
{
    EXPECT_EQ(threePictureList(&PageTemplates::PictureEntry).count(u','), 2);
    EXPECT_EQ(threePictureList(&PageTemplates::LowResolutionEntry).count(u','), 2);
    EXPECT_EQ(PageTemplates::PictureEntry(12, 0), "\n\t\t\"images/spot12_img0.jpg\"");
    EXPECT_EQ(PageTemplates::LowResolutionEntry(12, 0), "\n\t\t\"images/spot12_lo_res_img0.jpg\"");
}

TEST(PageTemplates, LinkedMapLineEndsWithAPeriodAndTheBackLinkDoesNot)
{
    EXPECT_EQ(PageTemplates::ParentLinkLine("France"), "<a href=\"../index.html\">Up to France.</a>");
    EXPECT_TRUE(PageTemplates::SpotHead("T", "France").contains("<a href=\"index.html\">Up to France</a>\n"));
}

TEST(PageTemplates, NamesFromFilesAreEscapedWhereverTheyArePlaced)
{
    const QString name = "Fish & <Chips> \"Bay\"";
    const QString escaped = "Fish &amp; &lt;Chips&gt; &quot;Bay&quot;";
    EXPECT_TRUE(PageTemplates::IndexHead(name, PageTemplates::RootLinkLine()).contains("<TITLE>" + escaped + "</TITLE>"));
    EXPECT_EQ(PageTemplates::ParentLinkLine(name), "<a href=\"../index.html\">Up to " + escaped + ".</a>");
    const QString spotHead = PageTemplates::SpotHead(name, name);
    EXPECT_TRUE(spotHead.contains("<TITLE>" + escaped + "</TITLE>"));
    EXPECT_TRUE(spotHead.contains(">Up to " + escaped + "</a>"));
    EXPECT_EQ(PageTemplates::SoundLine("spot0_sound.<b>"), "\t<BGSOUND SRC=\"sounds/spot0_sound.&lt;b&gt;\">\n");
}

TEST(PageTemplates, PlaceholdersInNamesAreTakenLiterally)
{
    EXPECT_EQ(PageTemplates::ParentLinkLine("100%s %d"), "<a href=\"../index.html\">Up to 100%s %d.</a>");
    EXPECT_TRUE(PageTemplates::IndexHead("%s", "%d").contains("<TITLE>%s</TITLE>"));
}
