#include "components/undo/picture_steps.h"

namespace undo {

void ReinsertPicture(IPhotoSpot& spot, com::LONG index, com::BSTR name)
{
    com::LONG pictures = 0;
    spot.NumImages(&pictures);
    // InsertPhoto puts the picture before the current one, which cannot reach past the end.
    if (index == pictures) {
        spot.AddPhoto(&name);
        spot.SetIndex(index);
    } else {
        spot.SetIndex(index);
        spot.InsertPhoto(&name);
    }
}

void RemovePicture(IPhotoSpot& spot, com::LONG index)
{
    spot.SetIndex(index);
    spot.RemoveCurrentImage();
}

}  // namespace undo
