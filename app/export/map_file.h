#pragma once

#include "components/interfaces/document.h"
#include "platform/com/com_ptr.h"

#include <QString>

namespace html_export {

// Opens the map saved at a path as a document of the calling thread, the one way the window and the
// export read maps: only a regular file of at most kMaxPropertyBagFileBytes is read (a FIFO would
// block the loader, a device such as /dev/zero would feed it until memory runs out), and a map that
// cannot be opened comes with the reason, in words for the user, to be shown beside its path.
//
// Thread: any thread that has initialised the component runtime; the document belongs to it.
class MapFile {
public:
    struct Opened {
        com::ComPtr<IDocument> document;  // null when the map could not be opened
        QString failure;                  // why, when it could not
    };

    static Opened Open(const QString& path);
};

}  // namespace html_export
