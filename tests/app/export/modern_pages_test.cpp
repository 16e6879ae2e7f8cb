#include "app/export/site_pages.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using html_export::ExportStyle;
using html_export::SitePages;
using html_export::SpotPage;

namespace {

const SitePages& modern()
{
    return SitePages::Of(ExportStyle::Modern);
}

QString indexPage(const QString& title, const QString& parentName, const QString& pins)
{
    return modern().indexHead(title, parentName) + pins + modern().indexClosing();
}

// Every page a site holds must stand alone: no file from elsewhere, and no placeholder left unfilled.
void expectSelfContainedDocument(const QString& page)
{
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\n")) << page.left(40).toStdString();
    EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(page.contains("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
    EXPECT_TRUE(page.endsWith("</html>\n"));
    EXPECT_FALSE(page.contains("{{")) << "a placeholder was left unfilled";
    EXPECT_FALSE(page.contains(QRegularExpression("(src|href)=\"(https?:)?//"))) << "the page names a file elsewhere";
    EXPECT_FALSE(page.contains("<link"));
}

}  // namespace

TEST(ModernPages, PagesAreWholeDocumentsThatNeedNoOtherFile)
{
    const tagRECT spot{100, 100, 200, 150};
    expectSelfContainedDocument(indexPage("Coast", QString(), modern().photoSpotPin(spot, 0, QString())));
    expectSelfContainedDocument(indexPage("Town", "Coast", modern().mapSpotPin(spot, 1, "Town")));
    expectSelfContainedDocument(modern().spotPage({"Coast", "Coast", 0, 2, "spot0_sound.mp3"}));
    expectSelfContainedDocument(modern().spotPage({"Coast", "Coast", 3, 0, QString()}));
}

// A pin's left and top are its spot's centre in percent of the 640 × 480 map image, so it stays on
// its spot whatever width the map is shown at.
TEST(ModernPages, PinsLeadToTheirPagesFromTheirSpotsCentreInPercent)
{
    const struct {
        tagRECT pageRect;
        bool mapSpot;
        int index;
        QString expected;
    } cases[] = {
        {{100, 100, 200, 150}, false, 0, "href=\"spot0.html\" style=\"left:23.4375%;top:26.0417%\""},
        {{0, 0, 640, 480}, true, 12, "href=\"spot12/index.html\" style=\"left:50.0000%;top:50.0000%\""},
        {{-100, -60, -20, -10}, false, 3, "href=\"spot3.html\" style=\"left:0.0000%;top:0.0000%\""},
        {{600, 440, 700, 600}, true, 2, "href=\"spot2/index.html\" style=\"left:101.5625%;top:108.3333%\""},
    };
    for (const auto& [pageRect, mapSpot, index, expected] : cases) {
        const QString pin = mapSpot ? modern().mapSpotPin(pageRect, index, QString())
                                    : modern().photoSpotPin(pageRect, index, QString());
        EXPECT_TRUE(pin.contains(expected)) << pin.toStdString();
        EXPECT_TRUE(pin.contains("<img src=\"images/pushPin.gif\" width=\"24\" height=\"20\""));
    }
}

TEST(ModernPages, TheIndexPageKeepsItsLinkLines)
{
    EXPECT_TRUE(indexPage("Coast", QString(), QString())
                    .contains("<i>Click on a pin to see the map or slide show at that spot.</i>"));
    EXPECT_TRUE(indexPage("Town", "Coast", QString()).contains("<a href=\"../index.html\">Up to Coast.</a>"));
    EXPECT_TRUE(indexPage("Town", QString(), QString()).contains("<img class=\"map-picture\" src=\"images/map.jpg\""));
}

TEST(ModernPages, TheSpotPageListsItsPicturesAndHoldsItsSound)
{
    const QString page = modern().spotPage({"Coast", "Bay", 4, 3, "spot4_sound.mp3"});
    for (int j = 0; j < 3; ++j) {
        EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"images/spot4_img%1.jpg\" "
                                                 "data-low-resolution=\"images/spot4_lo_res_img%1.jpg\">")
                                      .arg(j)));
    }
    EXPECT_FALSE(page.contains("spot4_img3.jpg"));
    EXPECT_TRUE(page.contains("<audio id=\"sound\" src=\"sounds/spot4_sound.mp3\" controls"));
    EXPECT_TRUE(page.contains("<a href=\"index.html\">Up to Bay</a>"));
    EXPECT_TRUE(page.contains("location.replace(\"index.html\")")) << "the show leaves no history entry behind";

    const QString silent = modern().spotPage({"Coast", "Bay", 4, 0, QString()});
    EXPECT_FALSE(silent.contains("<audio"));
    EXPECT_FALSE(silent.contains("<li>"));
}

TEST(ModernPages, NamesAreEscapedForWhereTheyArePlaced)
{
    const QString name = "Fish & <Chips> \"Bay\" {{title}} Été";
    const QString escaped = "Fish &amp; &lt;Chips&gt; &quot;Bay&quot; {{title}} Été";
    const QString index = indexPage(name, name, QString());
    EXPECT_TRUE(index.contains("<title>" + escaped + "</title>"));
    EXPECT_TRUE(index.contains("<h1>" + escaped + "</h1>"));
    EXPECT_TRUE(index.contains("alt=\"" + escaped + "\""));
    EXPECT_TRUE(index.contains("Up to " + escaped + ".</a>"));

    const QString spot = modern().spotPage({name, name, 0, 1, "spot0_sound.a b#\"<c>%"});
    EXPECT_TRUE(spot.contains("<title>" + escaped + "</title>"));
    EXPECT_TRUE(spot.contains(">Up to " + escaped + "</a>"));
    EXPECT_TRUE(spot.contains("src=\"sounds/spot0_sound.a%20b%23%22%3Cc%3E%25\""));
}

// A story's words are text wherever they land: escaped in the heading, the paragraphs, the captions
// and the pins' attributes, and read by the show's script as text only.
TEST(ModernPages, TheStoryIsTheSpotPagesHeadingParagraphsAndCaptions)
{
    const QString words = "Fish & <Chips> \"Bay\"";
    const QString escaped = "Fish &amp; &lt;Chips&gt; &quot;Bay&quot;";
    SpotPage story{"Coast", "Bay", 2, 3, QString(), words, "First line\nsame paragraph\n\n \nSecond " + words, {"", words, "Last"}};
    const QString page = modern().spotPage(story);
    EXPECT_TRUE(page.contains("<title>Coast</title>")) << "the window keeps the map's name";
    EXPECT_TRUE(page.contains("<h1>" + escaped + "</h1>"));
    EXPECT_TRUE(page.contains("<div class=\"story\">\n<p>First line<br>\nsame paragraph</p>\n<p>Second " + escaped +
                              "</p>\n</div>\n"))
        << page.toStdString();
    EXPECT_TRUE(page.contains("Picture 1</a></li>"));
    EXPECT_TRUE(page.contains("Picture 2</a> <span class=\"caption\">" + escaped + "</span></li>"));
    EXPECT_TRUE(page.contains("<figcaption id=\"caption\" hidden></figcaption>"));
    EXPECT_TRUE(page.contains("words.textContent")) << "captions reach the page as text, never as markup";

    const QString plain = modern().spotPage({"Coast", "Bay", 2, 1, QString()});
    EXPECT_TRUE(plain.contains("<h1>Coast</h1>")) << "a spot without a title keeps the map's name";
    EXPECT_FALSE(plain.contains("class=\"story\""));
    EXPECT_FALSE(plain.contains("<span class=\"caption\""));

    const tagRECT spot{100, 100, 200, 150};
    const QString pin = modern().photoSpotPin(spot, 0, words);
    EXPECT_TRUE(pin.contains("title=\"" + escaped + "\"")) << pin.toStdString();
    EXPECT_TRUE(pin.contains("alt=\"" + escaped + "\""));
    EXPECT_FALSE(modern().mapSpotPin(spot, 0, QString()).contains("title="));
    EXPECT_TRUE(modern().mapSpotPin(spot, 0, QString()).contains("alt=\"Map\""));
}
