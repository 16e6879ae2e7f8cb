#include "app/export/modern_pages.h"

#include "app/export/export_names.h"
#include "app/export/page_geometry.h"
#include "app/export/page_templates.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <initializer_list>
#include <utility>

namespace html_export {

namespace {

QString resourceText(const QString& name)
{
    QFile file(QStringLiteral(":/export/modern/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The page template %s is not built into the program.", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

struct Templates {
    Templates()
    {
        const QString index = resourceText(QStringLiteral("index.html"));
        const QString pinsMark = QStringLiteral("{{pins}}");
        const qsizetype pins = index.indexOf(pinsMark);
        indexHead = index.left(pins);
        indexClosing = index.mid(pins + pinsMark.size());
    }

    // The index page around its pins, which the site writer adds one by one.
    QString indexHead;
    QString indexClosing;
    const QString pin = resourceText(QStringLiteral("pin.html"));
    const QString spot = resourceText(QStringLiteral("spot.html"));
    const QString picture = resourceText(QStringLiteral("picture.html"));
    const QString sound = resourceText(QStringLiteral("sound.html"));
    const QString style = resourceText(QStringLiteral("site.css"));
    const QString script = resourceText(QStringLiteral("slide_show.js"));
};

const Templates& templates()
{
    static const Templates loaded;
    return loaded;
}

using Values = std::initializer_list<std::pair<QStringView, QString>>;

// Replaces each "{{name}}" by its value in one pass, so a value that holds "{{" is taken literally.
QString fill(const QString& pattern, Values values)
{
    QString text;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = pattern.indexOf(QStringLiteral("{{"), from);
        const qsizetype close = open < 0 ? -1 : pattern.indexOf(QStringLiteral("}}"), open);
        if (close < 0)
            break;
        const QStringView name = QStringView(pattern).sliced(open + 2, close - open - 2);
        text += QStringView(pattern).sliced(from, open - from);
        bool known = false;
        for (const auto& [key, value] : values) {
            if (key == name) {
                text += value;
                known = true;
                break;
            }
        }
        Q_ASSERT_X(known, "fill", "a placeholder of a page template is given no value");
        from = close + 2;
    }
    text += QStringView(pattern).sliced(from);
    return text;
}

QString escaped(const QString& text)
{
    return PageTemplates::HtmlEscaped(text);
}

// A name placed in an address: percent-encoded, and so safe in an attribute too.
QString addressPart(const QString& name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QString percentOf(int value, int whole)
{
    return QString::number(100.0 * value / whole, 'f', 4);
}

// A pin is named by its spot's title when it has one: the tooltip a pointer finds and the label a
// screen reader speaks.
QString pin(const tagRECT& pageRect, const QString& page, const QString& kindLabel, const QString& spotTitle)
{
    const QPoint centre = PageGeometry::SpotCentre(pageRect);
    const QString title = spotTitle.simplified();
    return fill(templates().pin,
                {{u"page", page},
                 {u"left", percentOf(centre.x(), PageGeometry::kImageSize.width())},
                 {u"top", percentOf(centre.y(), PageGeometry::kImageSize.height())},
                 {u"tooltip", title.isEmpty() ? QString() : QStringLiteral(" title=\"%1\"").arg(escaped(title))},
                 {u"label", title.isEmpty() ? kindLabel : escaped(title)}});
}

// The text of a story as the page shows it: a blank line parts paragraphs, a single line break
// stays a line break. Empty when there is no text.
QString storyParagraphs(const QString& text)
{
    static const QRegularExpression blankLines(QStringLiteral("\\n[ \\t\\r]*\\n\\s*"));
    QString paragraphs;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& paragraph : normalised.split(blankLines, Qt::SkipEmptyParts)) {
        const QString trimmed = paragraph.trimmed();
        if (!trimmed.isEmpty())
            paragraphs += QStringLiteral("<p>%1</p>\n").arg(escaped(trimmed).replace(u'\n', QStringLiteral("<br>\n")));
    }
    return paragraphs.isEmpty() ? QString() : QStringLiteral("<div class=\"story\">\n%1</div>\n").arg(paragraphs);
}

}  // namespace

QString ModernPages::indexHead(const QString& title, const QString& parentName) const
{
    const QString linkLine =
        parentName.isEmpty() ? PageTemplates::RootLinkLine() : PageTemplates::ParentLinkLine(parentName);
    return fill(templates().indexHead,
                {{u"title", escaped(title)}, {u"style", templates().style}, {u"linkLine", linkLine}});
}

QString ModernPages::mapSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const
{
    return pin(pageRect, QStringLiteral("spot%1/index.html").arg(spotIndex), QStringLiteral("Map"), spotTitle);
}

QString ModernPages::photoSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const
{
    return pin(pageRect, QStringLiteral("spot%1.html").arg(spotIndex), QStringLiteral("Slide show"), spotTitle);
}

QString ModernPages::indexClosing() const
{
    return templates().indexClosing;
}

QString ModernPages::spotPage(const SpotPage& page) const
{
    QString pictures;
    for (int j = 0; j < page.pictureCount; ++j) {
        const QString caption = page.captions.value(j).simplified();
        pictures += fill(templates().picture,
                         {{u"picture", QStringLiteral("images/") + ExportNames::PictureFileName(page.spotIndex, j)},
                          {u"lowResolution",
                           QStringLiteral("images/") + ExportNames::LowResolutionFileName(page.spotIndex, j)},
                          {u"number", QString::number(j + 1)},
                          {u"caption", caption.isEmpty() ? QString()
                                                         : QStringLiteral(" <span class=\"caption\">%1</span>")
                                                               .arg(escaped(caption))}});
    }
    const QString sound = page.soundFileName.isEmpty()
                              ? QString()
                              : fill(templates().sound, {{u"soundFile", addressPart(page.soundFileName)}});
    const QString spotTitle = page.spotTitle.simplified();
    return fill(templates().spot, {{u"title", escaped(page.title)},
                                   {u"heading", escaped(spotTitle.isEmpty() ? page.title : spotTitle)},
                                   {u"style", templates().style},
                                   {u"mapName", escaped(page.mapName)},
                                   {u"story", storyParagraphs(page.text)},
                                   {u"sound", sound},
                                   {u"pictures", pictures},
                                   {u"script", templates().script}});
}

}  // namespace html_export
