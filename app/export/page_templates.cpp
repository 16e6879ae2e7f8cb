#include "app/export/page_templates.h"

#include <initializer_list>
#include <string_view>

namespace html_export {

namespace {

// One line of a template: its visible text, then the padding that follows it (always spaces
// before tabs), then whether a line feed ends it. Kept as the rows they were designed as, since
// the padding is invisible in any other form.
struct Line {
    std::u16string_view text;
    int spaces = 0;
    int tabs = 0;
    bool lineFeed = true;
};

// Builds the template text; "%s" and "%d" stand for the values filled in later, in order.
QString assemble(std::initializer_list<Line> lines)
{
    QString text;
    for (const Line& line : lines) {
        text += QStringView(line.text);
        text += QString(line.spaces, u' ');
        text += QString(line.tabs, u'\t');
        if (line.lineFeed)
            text += u'\n';
    }
    return text;
}

// Fills the placeholders from left to right in one pass, so a value that itself holds "%s" is
// taken literally.
QString fill(const QString& pattern, std::initializer_list<QString> values)
{
    QString text;
    auto value = values.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern.at(i) == u'%' && i + 1 < pattern.size() &&
                                 (pattern.at(i + 1) == u's' || pattern.at(i + 1) == u'd');
        if (placeholder && value != values.end()) {
            text += *value++;
            ++i;
        } else {
            text += pattern.at(i);
        }
    }
    return text;
}

QString number(int value)
{
    return QString::number(value);
}

const QString& indexHead()
{
    static const QString text = assemble({
        {u"<HTML>", 0, 17},
        {u"    <HEAD>", 0, 16},
        {u"        <TITLE>%s</TITLE>", 0, 12},
        {u"    </HEAD>", 0, 16},
        {u"    <BODY>", 0, 16},
        {u"        %s", 0, 16},
        {u"        <IMG SRC=\"images/map.jpg\"", 0, 10},
        {u"            STYLE=\"position:absolute; left:%d;top:%d\">", 0, 4},
        {u"", 0, 0},
    });
    return text;
}

const QString& mapSpotPin()
{
    static const QString text = assemble({
        {u"\t<IMAGE \tSRC=\"images/pushPin.gif\"", 1, 9},
        {u"                STYLE=\"position:absolute; left:%d;top:%d\"", 1, 3},
        {u"                USEMAP=\"#spot_map_%d\">", 0, 8},
        {u"        <MAP NAME= \"spot_map_%d\">", 0, 10},
        {u"            <AREA COORDS=\"0,0,24,20\" HREF=\"spot%d/index.html\">", 0, 2},
        {u"        </MAP>", 0, 15},
        {u"", 0, 0},
    });
    return text;
}

const QString& photoSpotPin()
{
    static const QString text = assemble({
        {u"\t<IMAGE \tSRC=\"images/pushPin.gif\"", 1, 9},
        {u"                STYLE=\"position:absolute; left:%d;top:%d\"", 1, 3},
        {u"                USEMAP=\"#spot_map_%d\">", 0, 8},
        {u"        <MAP NAME= \"spot_map_%d\">", 0, 10},
        {u"            <AREA COORDS=\"0,0,24,20\" HREF=\"spot%d.html\">", 0, 3},
        {u"        </MAP>", 0, 10},
        {u"", 0, 0},
    });
    return text;
}

const QString& indexClosing()
{
    static const QString text = assemble({
        {u"\t</BODY>", 0, 16},
        {u"</HTML>", 0, 0, false},
    });
    return text;
}

const QString& spotHead()
{
    static const QString text = assemble({
        {u"<HTML>", 0, 17},
        {u"    <HEAD>", 0, 16},
        {u"        <TITLE>%s</TITLE>", 1, 12},
        {u"    </HEAD>", 6, 14},
        {u"", 0, 18},
        {u"    <BODY>", 8, 14},
        {u"    %s", 0, 17},
        {u"", 4, 0},
    });
    return text;
}

const QString& slideShowScript()
{
    static const QString text = assemble({
        {u"\t<SCRIPT LANGUAGE=\"JavaScript\">", 0, 9},
        {u"        <!--", 0, 15},
        {u"", 72, 0},
        {u"            var gSpotArray = new Array(%s)", 0, 8},
        {u"            var gLoSrcArray = new Array(%s)", 0, 8},
        {u"            var gIntervalID = 0", 0, 11},
        {u"            var gSpotIndex = 0", 0, 11},
        {u"            var imgForcer = new Image", 0, 9},
        {u"", 72, 0},
        {u"", 72, 0},
        {u"            function goHome() {", 0, 11},
        {u"                clearTimeout(gIntervalID)", 0, 8},
        {u"                location.href = \"index.html\"", 0, 7},
        {u"            }", 0, 15},
        {u"", 72, 0},
        {u"", 72, 0},
        {u"            function nextImage() {", 0, 10},
        {u"                doNext = (gSpotIndex <  gSpotArray.length)", 0, 4},
        {u"", 72, 0},
        {u"                if(doNext == 1) {", 0, 10},
        {u"                    document.images[0].lowsrc = gLoSrcArray[gSpotIndex]", 1, 0},
        {u"                    document.images[0].src = gSpotArray[gSpotIndex]", 1, 1},
        {u"                    gSpotIndex++", 0, 10},
        {u"                } else {", 0, 12},
        {u"                    goHome()", 0, 11},
        {u"                }", 0, 14},
        {u"            }", 0, 15},
        {u"", 72, 0},
        {u"            function imgLoaded() {", 0, 10},
        {u"                clearTimeout(gIntervalID)", 0, 8},
        {u"                gIntervalID = setTimeout(\"nextImage()\",5000)", 0, 3},
        {u"", 72, 0},
        {u"                if (gSpotIndex + 1 < gSpotArray.length)\t{", 0, 4},
        {u"                    imgForcer.src = gSpotArray[gSpotIndex + 1]", 0, 3},
        {u"                }", 0, 14},
        {u"            }", 0, 15},
        {u"", 72, 0},
        {u"        //-->", 0, 15},
        {u"        </SCRIPT>", 0, 14},
        {u"", 72, 0},
        {u"        <IMG SRC= \"images/map.jpg\"", 0, 9},
        {u"            STYLE=\"position:absolute; left:%d;top:%d\"", 0, 5},
        {u"            onLoad = \"imgLoaded()\">", 0, 9},
        {u"    </BODY>", 0, 16},
        {u"", 72, 0},
        {u"    <SCRIPT LANGUAGE=\"JavaScript\">", 0, 9},
        {u"    <!--", 0, 16},
        {u"        nextImage()", 0, 14},
        {u"    //-->", 0, 16},
        {u"    </SCRIPT>", 0, 15},
        {u"</HTML>", 0, 0, false},
    });
    return text;
}

}  // namespace

QString PageTemplates::IndexHead(const QString& title, const QString& linkLine)
{
    return fill(indexHead(), {HtmlEscaped(title), linkLine, number(kPictureLeft), number(kPictureTop)});
}

QString PageTemplates::MapSpotPin(int x, int y, int spotIndex)
{
    return fill(mapSpotPin(), {number(x), number(y), number(spotIndex), number(spotIndex), number(spotIndex)});
}

QString PageTemplates::PhotoSpotPin(int x, int y, int spotIndex)
{
    return fill(photoSpotPin(), {number(x), number(y), number(spotIndex), number(spotIndex), number(spotIndex)});
}

QString PageTemplates::IndexClosing()
{
    return indexClosing();
}

QString PageTemplates::RootLinkLine()
{
    return QStringLiteral("<i>Click on a pin to see the map or slide show at that spot.</i>");
}

QString PageTemplates::ParentLinkLine(const QString& parentName)
{
    return fill(QStringLiteral("<a href=\"../index.html\">Up to %s.</a>"), {HtmlEscaped(parentName)});
}

QString PageTemplates::SpotHead(const QString& title, const QString& mapName)
{
    const QString backLink = fill(QStringLiteral("<a href=\"index.html\">Up to %s</a>\n"), {HtmlEscaped(mapName)});
    return fill(spotHead(), {HtmlEscaped(title), backLink});
}

QString PageTemplates::WaitingNote()
{
    return QStringLiteral("\t(<I>Please wait for the slide show to complete.</I>)<BR>\n");
}

QString PageTemplates::SoundLine(const QString& soundFileName)
{
    return fill(QStringLiteral("\t<BGSOUND SRC=\"sounds/%s\">\n"), {HtmlEscaped(soundFileName)});
}

QString PageTemplates::SlideShowScript(const QString& pictureList, const QString& lowResolutionList)
{
    return fill(slideShowScript(), {pictureList, lowResolutionList, number(kPictureLeft), number(kPictureTop)});
}

QString PageTemplates::PictureEntry(int spotIndex, int pictureNumber)
{
    return fill(QStringLiteral("\n\t\t\"images/spot%d_img%d.jpg\""), {number(spotIndex), number(pictureNumber)});
}

QString PageTemplates::LowResolutionEntry(int spotIndex, int pictureNumber)
{
    return fill(QStringLiteral("\n\t\t\"images/spot%d_lo_res_img%d.jpg\""), {number(spotIndex), number(pictureNumber)});
}

QString PageTemplates::ListSeparator()
{
    return QStringLiteral(",");
}

QString PageTemplates::HtmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

}  // namespace html_export
