#pragma once

#include "app/export/site_pages.h"

namespace html_export {

// The modern pages, filled from the templates in templates/modern (built into the program as the
// resource ":/export/modern"): HTML5 in UTF-8, a map that scales with the window with its pins
// placed in percent of the map, the sound in an <audio> element, and the slide show's own script
// and style written into each page, so a site needs no file beyond its pictures and sounds.
class ModernPages final : public SitePages {
public:
    QString indexHead(const QString& title, const QString& parentName) const override;
    QString mapSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const override;
    QString photoSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const override;
    QString indexClosing() const override;
    QString spotPage(const SpotPage& page) const override;
};

}  // namespace html_export
