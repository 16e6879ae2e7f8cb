#include "app/export/site_pages.h"

#include "app/export/classic_pages.h"
#include "app/export/modern_pages.h"

namespace html_export {

QString StyleName(ExportStyle style)
{
    return style == ExportStyle::Modern ? QStringLiteral("modern") : QStringLiteral("classic");
}

std::optional<ExportStyle> StyleNamed(const QString& name)
{
    for (ExportStyle style : {ExportStyle::Classic, ExportStyle::Modern}) {
        if (name == StyleName(style))
            return style;
    }
    return std::nullopt;
}

const SitePages& SitePages::Of(ExportStyle style)
{
    static const ClassicPages classic;
    static const ModernPages modern;
    if (style == ExportStyle::Modern)
        return modern;
    return classic;
}

}  // namespace html_export
