#include "components/mapview/undo_group.h"

#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"

namespace mapview {

UndoGroup::UndoGroup(IDocument& document)
{
    document.GetUndoManager(undoManager_.put());
    addMarker();
}

UndoGroup::~UndoGroup()
{
    addMarker();
}

void UndoGroup::addMarker()
{
    com::ComPtr<IUndoAction> marker;
    if (undoManager_ && com::SUCCEEDED(com::CreateInstance(CLSID_PLMultiUndoTagAction, marker)))
        undoManager_->AddUndoAction(marker.get());
}

void RecordUndo(IDocument& document, IUndoAction* action)
{
    com::ComPtr<IUndoManager> undoManager;
    if (com::SUCCEEDED(document.GetUndoManager(undoManager.put())) && undoManager && action)
        undoManager->AddUndoAction(action);
}

}  // namespace mapview
