#include "components/undo/pl_undo_create_action.h"

#include "components/undo/spot_selection.h"

com::HRESULT PLUndoCreateAction::Initialize(IDocument* inDocument, IBaseSpot* inSpot) noexcept
{
    if (!inDocument || !inSpot) return com::E_POINTER;
    document_.reset(inDocument);
    spot_ = com::ComPtr<IBaseSpot>(inSpot);
    return com::S_OK;
}

com::HRESULT PLUndoCreateAction::Undo() noexcept
{
    if (const com::ComPtr<IDocument> document = document_.lock()) document->DeleteSpot(spot_.get());
    return com::S_OK;
}

com::HRESULT PLUndoCreateAction::Redo() noexcept
{
    const com::ComPtr<IDocument> document = document_.lock();
    if (document && com::SUCCEEDED(document->AddSpot(spot_.get()))) {
        document->ChangeNotification(spot_.tryAs<com::IUnknown>().get(), kSpotCreated);
        undo::RestoreSelection(*document, *spot_);
    }
    return com::S_OK;
}
