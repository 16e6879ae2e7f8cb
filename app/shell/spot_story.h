#pragma once

#include "components/interfaces/base_spot.h"
#include "components/interfaces/document.h"

#include <QString>
#include <vector>

namespace shell {

// The words of one spot as the story dialog edits them: read from the spot, changed in the dialog,
// and written back as one step of undo.
struct SpotStory {
    struct Picture {
        QString path;
        QString caption;
    };

    QString title;
    QString text;
    // A photo spot's pictures in their order, each with its caption; empty for a map spot.
    std::vector<Picture> pictures;

    // The story the spot holds now; empty for a spot without one.
    static SpotStory Read(IBaseSpot& spot);

    // Writes every part of `edited` that differs from `original` into the spot, recording one undo
    // action per part inside one undo group and marking the document dirty. Nothing at all (no undo
    // step, document left clean) when nothing differs. True when something changed.
    static bool Write(IDocument& document, IBaseSpot& spot, const SpotStory& original, const SpotStory& edited);
};

}  // namespace shell
