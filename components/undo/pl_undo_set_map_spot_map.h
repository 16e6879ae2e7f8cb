#pragma once

#include "components/interfaces/undo_set_map_spot_map.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

// Undo and Redo of a map spot's link replaced.
class PLUndoSetMapSpotMap final : public com::Implements<PLUndoSetMapSpotMap, IUndoSetMapSpotMap, IUndoAction> {
public:
    com::HRESULT Initialize(IMapSpot* inMapSpot, com::BSTR* inOldMapFileName,
                            com::BSTR* inNewMapFileName) noexcept override;
    com::HRESULT Undo() noexcept override;
    com::HRESULT Redo() noexcept override;

private:
    ~PLUndoSetMapSpotMap() override = default;
    void setLink(com::BSTR name);

    com::ComPtr<IMapSpot> spot_;
    com::Bstr oldName_;
    com::Bstr newName_;
};
