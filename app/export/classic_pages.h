#pragma once

#include "app/export/site_pages.h"

namespace html_export {

// The classic pages, made of PageTemplates' texts exactly: pins at fixed page positions with image
// maps, a background sound, and the slide-show script that walks the picture lists.
class ClassicPages final : public SitePages {
public:
    QString indexHead(const QString& title, const QString& parentName) const override;
    QString mapSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const override;
    QString photoSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const override;
    QString indexClosing() const override;
    QString spotPage(const SpotPage& page) const override;
};

}  // namespace html_export
