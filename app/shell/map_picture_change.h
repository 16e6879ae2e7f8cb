#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"

namespace shell {

// The undo step of a picture from the file browser made the map picture ("Use as Map Picture"):
// Undo puts back the picture the map had, none included, Redo the new one. The document is held
// weakly: it holds its history.
//
// Thread: the user-interface thread.
class MapPictureChange final : public com::Implements<MapPictureChange, IUndoAction> {
public:
    MapPictureChange(IDocument& document, com::Bstr before, com::Bstr after);

    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~MapPictureChange() override = default;
    com::HRESULT show(const com::Bstr& picture);

    com::WeakPtr<IDocument> document_;
    com::Bstr before_;
    com::Bstr after_;
};

}  // namespace shell
