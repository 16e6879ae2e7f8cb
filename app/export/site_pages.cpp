#include "app/export/site_pages.h"

#include "app/export/classic_pages.h"
#include "app/export/modern_pages.h"

namespace html_export {

std::optional<ExportStyle> StyleNamed(const QString& name)
{
    if (name == u"classic")
        return ExportStyle::Classic;
    if (name == u"modern")
        return ExportStyle::Modern;
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
