#pragma once

#include "components/interfaces/document.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "platform/com/persist.h"

#include <cstddef>
#include <vector>

// The model of one map and the broadcaster of its changes. It owns its spots, its preview spot and
// its undo manager; they refer back to it only weakly, so dropping the last outside reference frees
// the document and everything it owns. Thread: the user-interface thread that created it; listeners
// are called synchronously and may call back into the document.
class PLDocument final
    : public com::Implements<PLDocument, IDocument, com::IPersistPropertyBag, com::EventSource<_IDocumentEvents>> {
public:
    // Creates the preview spot and the undo manager; throws com::ComError when either cannot be made.
    PLDocument();

    com::HRESULT SetMapFile(com::BSTR inMapFile) noexcept override;
    com::HRESULT GetMapFile(com::BSTR* outMapFile) noexcept override;
    com::HRESULT AddSpot(IBaseSpot* inNewSpot) noexcept override;
    com::HRESULT SpotAtPoint(tagPOINT* inPoint, IBaseSpot** spot) noexcept override;
    com::HRESULT GetCurrentSpot(IBaseSpot** pVal) noexcept override;
    com::HRESULT PutCurrentSpot(IBaseSpot* newVal) noexcept override;
    com::HRESULT FirstSpot(IBaseSpot** outFirstSpot) noexcept override;
    com::HRESULT NextSpot(IBaseSpot** outNextSpot) noexcept override;
    com::HRESULT ChangeNotification(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept override;
    com::HRESULT DeleteSpot(IBaseSpot* spot) noexcept override;
    com::HRESULT Empty() noexcept override;
    com::HRESULT IsDirty(com::LONG* outIsDirty) noexcept override;
    com::HRESULT GetPreviewSpot(IBaseSpot** previewSpot) noexcept override;
    com::HRESULT SetDirty(com::VARIANT_BOOL* inDirty) noexcept override;
    com::HRESULT GetNumSpots(com::LONG* outNumSpots) noexcept override;
    com::HRESULT SpotAtIndex(com::LONG inIndex, IBaseSpot** outBaseSpot) noexcept override;
    com::HRESULT GetUndoManager(IUndoManager** outUndoManager) noexcept override;
    com::HRESULT SendOpenNotification() noexcept override;
    com::HRESULT InsertSpot(IBaseSpot* inBaseSpot, com::LONG inIndex) noexcept override;
    com::HRESULT GetSpotIndex(IBaseSpot* inBaseSpot, com::LONG* outIndex) noexcept override;

    com::HRESULT GetClassID(com::CLSID* classId) noexcept override;
    com::HRESULT InitNew() noexcept override;
    com::HRESULT Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept override;
    com::HRESULT Save(com::IPropertyBag* bag, int clearDirty, int saveAllProperties) noexcept override;

private:
    ~PLDocument() override = default;

    void broadcast(com::IUnknown* changed, com::LONG changeFlags);
    com::LONG count() const { return static_cast<com::LONG>(spots_.size()); }

    com::Bstr mapFile_;  // null while absent
    std::vector<com::ComPtr<IBaseSpot>> spots_;
    com::ComPtr<IBaseSpot> currentSpot_;
    std::size_t cursor_ = 0;  // shared by FirstSpot and NextSpot
    bool dirty_ = false;
    com::ComPtr<IUndoManager> undoManager_;
    com::ComPtr<IBaseSpot> previewSpot_;
};
