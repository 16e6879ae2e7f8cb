#pragma once

#include <QString>

namespace html_export {

// The texts the exported pages are made of, character for character: browsers have shown these
// pages for years and people have kept them, so padding, tabs and line breaks are part of the format.
// Line ends are "\n" here; SiteFiles stores them as CR LF.
//
// Names taken from files (titles, map names, the sound's extension) are HTML-escaped, so a name
// holding "&", "<", ">" or '"' cannot break the page; other names come out unchanged.
class PageTemplates {
public:
    // Where the map picture (and the slide show's picture) sits on a page, in pixels.
    static constexpr int kPictureLeft = 50;
    static constexpr int kPictureTop = 50;

    // Index page of a map: head, one pin per spot, closing.
    static QString IndexHead(const QString& title, const QString& linkLine);
    static QString MapSpotPin(int x, int y, int spotIndex);
    static QString PhotoSpotPin(int x, int y, int spotIndex);
    static QString IndexClosing();

    // Link line of the root map's index page, and of a linked map's (back up to its container).
    static QString RootLinkLine();
    static QString ParentLinkLine(const QString& parentName);

    // Slide-show page of a photo spot: head with its back link, waiting note, sound line when the
    // spot has a sound, then the script, which closes the page.
    static QString SpotHead(const QString& title, const QString& mapName);
    static QString WaitingNote();
    static QString SoundLine(const QString& soundFileName);
    static QString SlideShowScript(const QString& pictureList, const QString& lowResolutionList);

    // One entry of the script's picture lists, without the "," that separates entries.
    static QString PictureEntry(int spotIndex, int pictureNumber);
    static QString LowResolutionEntry(int spotIndex, int pictureNumber);
    static QString ListSeparator();

    static QString HtmlEscaped(const QString& text);
};

}  // namespace html_export
