#include "components/undo/pl_undo_set_map_action.h"

#include "components/document/string_copy.h"

com::HRESULT PLUndoSetMapAction::Initialize(IDocument* inDocument, com::BSTR* inMapName) noexcept
{
    if (!inDocument || !inMapName) return com::E_POINTER;
    return com::Guarded([&] {
        name_ = document::CopyString(*inMapName);
        document_.reset(inDocument);
        return com::S_OK;
    });
}

void PLUndoSetMapAction::setMapFile(com::BSTR name)
{
    if (const com::ComPtr<IDocument> document = document_.lock()) document->SetMapFile(name);
}

com::HRESULT PLUndoSetMapAction::Undo() noexcept
{
    // Empty rather than absent: the document had no map picture, and both read back as "".
    const com::Bstr empty(u"");
    setMapFile(empty.get());
    return com::S_OK;
}

com::HRESULT PLUndoSetMapAction::Redo() noexcept
{
    setMapFile(name_.get());
    return com::S_OK;
}
