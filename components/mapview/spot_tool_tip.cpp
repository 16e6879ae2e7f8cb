#include "components/mapview/spot_tool_tip.h"

#include "components/interfaces/base_spot.h"
#include "components/interfaces/spot_story.h"
#include "platform/ui/qt_strings.h"

namespace mapview {

namespace {

// A tooltip is a glance, not the story: about three lines of text, cut at a word.
constexpr qsizetype kTextStartLength = 160;

QString startOf(const QString& text)
{
    if (text.size() <= kTextStartLength) return text;
    qsizetype cut = text.lastIndexOf(u' ', kTextStartLength);
    if (cut <= 0) cut = kTextStartLength;
    return text.left(cut).trimmed() + QChar(0x2026);
}

QString asHtml(const QString& words)
{
    return words.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

}  // namespace

QString SpotToolTip(IBaseSpot& spot)
{
    const auto story = com::ComPtr<IBaseSpot>(&spot).tryAs<ISpotStory>();
    if (!story) return {};
    com::Bstr title;
    com::Bstr text;
    story->GetTitle(title.put());
    story->GetText(text.put());
    const QString titleText = ui::ToQString(title.view()).trimmed();
    const QString textStart = startOf(ui::ToQString(text.view()).trimmed());
    if (titleText.isEmpty() && textStart.isEmpty()) return {};
    QString tip = QStringLiteral("<p style=\"white-space:pre-wrap\">");
    if (!titleText.isEmpty()) tip += QStringLiteral("<b>%1</b>").arg(asHtml(titleText));
    if (!titleText.isEmpty() && !textStart.isEmpty()) tip += QStringLiteral("<br>");
    tip += asHtml(textStart) + QStringLiteral("</p>");
    return tip;
}

}  // namespace mapview
