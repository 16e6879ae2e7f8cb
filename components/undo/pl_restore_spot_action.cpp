#include "components/undo/pl_restore_spot_action.h"

#include "components/undo/spot_selection.h"

com::HRESULT PLRestoreSpotAction::Initialize(IBaseSpot* inSpot, com::LONG inIndex, IDocument* inDocument) noexcept
{
    if (!inSpot || !inDocument) return com::E_POINTER;
    spot_ = com::ComPtr<IBaseSpot>(inSpot);
    index_ = inIndex;
    document_.reset(inDocument);
    return com::S_OK;
}

com::HRESULT PLRestoreSpotAction::Undo() noexcept
{
    const com::ComPtr<IDocument> document = document_.lock();
    // A spot that could not go back (the list no longer reaches its index) is not announced.
    if (document && com::SUCCEEDED(document->InsertSpot(spot_.get(), index_))) {
        document->ChangeNotification(spot_.tryAs<com::IUnknown>().get(), kSpotCreated);
        undo::RestoreSelection(*document, *spot_);
    }
    return com::S_OK;
}

com::HRESULT PLRestoreSpotAction::Redo() noexcept
{
    if (const com::ComPtr<IDocument> document = document_.lock()) document->DeleteSpot(spot_.get());
    return com::S_OK;
}
