#include "app/export/classic_pages.h"

#include "app/export/page_geometry.h"
#include "app/export/page_templates.h"

namespace html_export {

QString ClassicPages::indexHead(const QString& title, const QString& parentName) const
{
    const QString linkLine =
        parentName.isEmpty() ? PageTemplates::RootLinkLine() : PageTemplates::ParentLinkLine(parentName);
    return PageTemplates::IndexHead(title, linkLine);
}

QString ClassicPages::mapSpotPin(const tagRECT& pageRect, int spotIndex, const QString&) const
{
    const QPoint pin = PageGeometry::PinPoint(pageRect);
    return PageTemplates::MapSpotPin(pin.x(), pin.y(), spotIndex);
}

QString ClassicPages::photoSpotPin(const tagRECT& pageRect, int spotIndex, const QString&) const
{
    const QPoint pin = PageGeometry::PinPoint(pageRect);
    return PageTemplates::PhotoSpotPin(pin.x(), pin.y(), spotIndex);
}

QString ClassicPages::indexClosing() const
{
    return PageTemplates::IndexClosing();
}

QString ClassicPages::spotPage(const SpotPage& page) const
{
    QString pictureList;
    QString lowResolutionList;
    for (int j = 0; j < page.pictureCount; ++j) {
        const QString separator = j + 1 < page.pictureCount ? PageTemplates::ListSeparator() : QString();
        pictureList += PageTemplates::PictureEntry(page.spotIndex, j) + separator;
        lowResolutionList += PageTemplates::LowResolutionEntry(page.spotIndex, j) + separator;
    }
    QString text = PageTemplates::SpotHead(page.title, page.mapName) + PageTemplates::WaitingNote();
    if (!page.soundFileName.isEmpty())
        text += PageTemplates::SoundLine(page.soundFileName);
    return text + PageTemplates::SlideShowScript(pictureList, lowResolutionList);
}

}  // namespace html_export
