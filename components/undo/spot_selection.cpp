#include "components/undo/spot_selection.h"

namespace undo {

void RestoreSelection(IDocument& document, IBaseSpot& spot)
{
    com::VARIANT_BOOL selected = com::VARIANT_FALSE;
    spot.GetSelected(&selected);
    if (selected) document.PutCurrentSpot(&spot);
}

}  // namespace undo
