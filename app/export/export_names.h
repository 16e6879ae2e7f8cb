#pragma once

#include <QString>

namespace html_export {

// How the export turns paths into the names it shows on pages and gives to files. Paths use "/"
// between their parts; names of any length are handled, also those shorter than what a rule cuts.
class ExportNames {
public:
    // The part of `path` after its last "/" (the whole path when it has none).
    static QString FileName(const QString& path);

    // `name` without its last four characters; empty when it has four or fewer.
    static QString WithoutLastFour(const QString& name);

    // The name a saved map is known by: its file name, without the extension when the fourth-last
    // character is "." ("Coast.plm" gives "Coast"; "notes" stays "notes").
    static QString DisplayName(const QString& path);

    // The name under which SiteWriter shows a map: a path gives its display name; a bare name (a
    // linked map's name, already cut) stays as it is.
    static QString MapName(const QString& nameOrPath);

    // The name of the copy of spot `spotIndex`'s sound: "spot2_sound" with the whole extension of
    // the sound file's name ("bells.flac" gives "spot2_sound.flac"), and none when it has none.
    // Taken from the file name rather than the whole path, so it can never carry a "/".
    static QString SoundFileName(int spotIndex, const QString& soundPath);

    // The names of picture `pictureNumber` of spot `spotIndex` in the site's "images" folder, in full
    // and at low resolution.
    static QString PictureFileName(int spotIndex, int pictureNumber);
    static QString LowResolutionFileName(int spotIndex, int pictureNumber);
};

}  // namespace html_export
