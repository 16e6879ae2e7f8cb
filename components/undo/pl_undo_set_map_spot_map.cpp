#include "components/undo/pl_undo_set_map_spot_map.h"

#include "components/document/string_copy.h"

com::HRESULT PLUndoSetMapSpotMap::Initialize(IMapSpot* inMapSpot, com::BSTR* inOldMapFileName,
                                             com::BSTR* inNewMapFileName) noexcept
{
    if (!inMapSpot || !inOldMapFileName || !inNewMapFileName) return com::E_POINTER;
    return com::Guarded([&] {
        com::Bstr oldName = document::CopyString(*inOldMapFileName);
        newName_ = document::CopyString(*inNewMapFileName);
        oldName_ = std::move(oldName);
        spot_ = com::ComPtr<IMapSpot>(inMapSpot);
        return com::S_OK;
    });
}

void PLUndoSetMapSpotMap::setLink(com::BSTR name)
{
    if (spot_) spot_->SetFileName(&name);
}

com::HRESULT PLUndoSetMapSpotMap::Undo() noexcept
{
    setLink(oldName_.get());
    return com::S_OK;
}

com::HRESULT PLUndoSetMapSpotMap::Redo() noexcept
{
    setLink(newName_.get());
    return com::S_OK;
}
