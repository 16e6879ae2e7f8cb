#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/undo_action.h"

namespace mapview {

// One user step of several edits: the document's undo manager gets a group marker now and the
// closing one when the group ends, so Undo and Redo take everything recorded between as one step.
// A group that recorded nothing still adds both markers.
class UndoGroup {
public:
    explicit UndoGroup(IDocument& document);
    ~UndoGroup();
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    void addMarker();

    com::ComPtr<IUndoManager> undoManager_;
};

// Records one action on the document's undo manager (inside a group when one is open).
void RecordUndo(IDocument& document, IUndoAction* action);

}  // namespace mapview
