#pragma once

#include "components/interfaces/photo_spot.h"

// The two halves of adding and removing one picture of a photo spot, shared by the actions that
// record either edit (one's Undo is the other's Redo). Both go through the spot's own operations so
// that listeners see the same notifications as for the edit itself.
namespace undo {

// Puts `name` back at `index` and makes it the current picture.
void ReinsertPicture(IPhotoSpot& spot, com::LONG index, com::BSTR name);
// Removes the picture at `index`; the one before it becomes current.
void RemovePicture(IPhotoSpot& spot, com::LONG index);

}  // namespace undo
