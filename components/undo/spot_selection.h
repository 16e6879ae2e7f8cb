#pragma once

#include "components/interfaces/document.h"

namespace undo {

// After `spot` went back into the document's list. The document leaves the selection flag of a spot
// it removes alone, so a spot removed while current comes back flagged as selected: it becomes the
// current spot again, as it was before it went, instead of a second spot drawn as selected.
void RestoreSelection(IDocument& document, IBaseSpot& spot);

}  // namespace undo
