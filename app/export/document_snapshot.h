#pragma once

#include "app/export/map_snapshot.h"

#include <QString>
#include <optional>

struct IDocument;

namespace html_export {

// Copies what the export needs out of a document's components.
//
// Thread: the thread that owns the document's components (the user-interface thread for the open
// document, the export's worker for the linked maps it loads); the runtime is initialised there.
class DocumentSnapshot {
public:
    // Each photo spot's pictures are read in the order the site shows them, from the spot's current
    // picture on; the spot is left on the picture it showed before.
    static MapSnapshot Take(IDocument& document);

    // Loads the map saved at `path` into components of the calling thread (as MapFile opens it) and
    // takes its snapshot.
    static MapLoad Load(const QString& path);
};

}  // namespace html_export
