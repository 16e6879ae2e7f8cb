#pragma once

#include "components/interfaces/records.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace html_export {

// How the pages of an exported site look. Both styles write the same site: the same folders, file
// names, pictures and pins at the same spots; only the pages' texts differ.
//   Classic: the pages as they have always been, byte for byte.
//   Modern:  pages for today's browsers: they fit a phone, play the sound, and let Back work.
enum class ExportStyle { Classic, Modern };

// The style the command line names "classic" or "modern"; nothing for any other name.
std::optional<ExportStyle> StyleNamed(const QString& name);

// What the slide-show page of one photo spot shows.
struct SpotPage {
    // The map picture's name, shared by the map's index page and its spot pages.
    QString title;
    // The name of the map the spot belongs to, which the page leads back up to.
    QString mapName;
    int spotIndex = 0;
    int pictureCount = 0;
    // The name of the sound's copy in the site's "sounds" folder; empty when the spot has none.
    QString soundFileName;
    // The spot's story: its title, its text, and each picture's caption in showing order.
    QString spotTitle{};
    QString text{};
    QStringList captions{};
};

// The texts of one style's pages. An index page is its head, one pin per spot in spot order, and
// its closing, so that a site writer can add pins as it takes the spots. Names taken from files
// and words taken from stories are escaped for wherever a page places them. The classic pages show
// no story.
//
// Thread: any; the styles hold no state.
class SitePages {
public:
    virtual ~SitePages() = default;

    static const SitePages& Of(ExportStyle style);

    // `parentName` is the name of the map that links to this one; empty for the site's root map.
    virtual QString indexHead(const QString& title, const QString& parentName) const = 0;
    // `pageRect` is the spot's rectangle on the 640 × 480 map image; `spotTitle` the spot's title,
    // empty when it has none.
    virtual QString mapSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const = 0;
    virtual QString photoSpotPin(const tagRECT& pageRect, int spotIndex, const QString& spotTitle) const = 0;
    virtual QString indexClosing() const = 0;

    virtual QString spotPage(const SpotPage& page) const = 0;
};

}  // namespace html_export
