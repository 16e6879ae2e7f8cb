#pragma once

#include "components/interfaces/undo_set_map_action.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"

// Undo and Redo of the map picture given to a document that had none. No earlier name is kept:
// Undo always leaves an empty map file.
class PLUndoSetMapAction final : public com::Implements<PLUndoSetMapAction, IUndoSetMapAction, IUndoAction> {
public:
    com::HRESULT Initialize(IDocument* inDocument, com::BSTR* inMapName) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoSetMapAction() override = default;
    void setMapFile(com::BSTR name);

    com::WeakPtr<IDocument> document_;
    com::Bstr name_;
};
