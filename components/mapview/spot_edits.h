#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/photo_spot.h"

#include <QString>

namespace mapview {

// Adds a picture to `photoSpot`, or, when it is null, to a new photo spot of `newBounds` (model
// coordinates) appended to the document; makes that spot current and marks the document changed.
// Records the undo action of what it did: the spot's creation, or the added picture.
// Throws com::ComError when a component cannot be created.
void AddPicture(IDocument& document, IPhotoSpot* photoSpot, const tagRECT& newBounds, const QString& path);

}  // namespace mapview
