#pragma once

#include "components/interfaces/base_spot.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "components/interfaces/undo_manager.h"
#include "platform/com/dispatch_table.h"

// The model of one map: the path of its map picture and the ordered list of its spots. It is also
// the one broadcaster of model changes: whatever changes the model calls ChangeNotification, and
// the document raises _IDocumentEvents::DocumentChanged on its listeners with one of these flags.
enum DocumentChange : com::LONG {
    kDocumentEmptied = 1,
    kDocumentOpened = 2,
    kMapFileChanged = 3,
    kSpotDeleted = 4,
    kSpotCreated = 5,
    kSpotMoving = 6,
    kSpotMoved = 7,
    kSpotSelectionChanged = 8,
    kSpotVisitedChanged = 9,
    kSpotLinkChanged = 10,
    kPictureAdded = 11,
    kAudioChanged = 12,
    kPictureRemoved = 13,
    kCurrentPictureChanged = 14,
    // A spot's title or text changed.
    kSpotStoryChanged = 15,
    // The caption of one of a photo spot's pictures changed.
    kPictureCaptionChanged = 16,
};

// What a document's listeners receive: one call per change of the model, `changeFlags` one of the
// DocumentChange values above and `pUnknown` the IUnknown of the object that changed.
// Called through the listener's Invoke with DISPID 1, synchronously, in connection order.
struct _IDocumentEvents : com::IDispatch {
    static constexpr const com::IID& kIid = IID__IDocumentEvents;
    using Base = com::IDispatch;
    virtual com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const _IDocumentEvents*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&_IDocumentEvents::DocumentChanged>(1, u"DocumentChanged"),
    };
    return members;
}

// Thread: the user-interface thread that created it. Output references are new references that the
// caller releases. Every operation answers S_OK unless noted; E_POINTER for a null spot argument or a
// null output pointer, E_INVALIDARG for an index outside the list, E_OUTOFMEMORY when a string
// cannot be copied.
struct IDocument : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IDocument;
    using Base = com::IDispatch;
    // A null map file makes it absent; broadcasts kMapFileChanged. Does not mark the document dirty.
    virtual com::HRESULT SetMapFile(com::BSTR inMapFile) noexcept = 0;
    // An absent map file is given as an empty string, never as null.
    virtual com::HRESULT GetMapFile(com::BSTR* outMapFile) noexcept = 0;
    virtual com::HRESULT AddSpot(IBaseSpot* inNewSpot) noexcept = 0;
    // A selected spot under the point wins; among unselected ones the last in the list. Null for none.
    virtual com::HRESULT SpotAtPoint(tagPOINT* inPoint, IBaseSpot** spot) noexcept = 0;
    virtual com::HRESULT GetCurrentSpot(IBaseSpot** pVal) noexcept = 0;
    // Deselects the current spot, then selects the new one (null clears the selection).
    virtual com::HRESULT PutCurrentSpot(IBaseSpot* newVal) noexcept = 0;
    virtual com::HRESULT FirstSpot(IBaseSpot** outFirstSpot) noexcept = 0;
    virtual com::HRESULT NextSpot(IBaseSpot** outNextSpot) noexcept = 0;
    // Broadcasts unchanged; a failing listener ends the broadcast but the answer stays S_OK.
    virtual com::HRESULT ChangeNotification(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept = 0;
    // Broadcasts kSpotDeleted, also for a spot that was not in the list.
    virtual com::HRESULT DeleteSpot(IBaseSpot* spot) noexcept = 0;
    // Drops spots, selection and map file, broadcasts kDocumentEmptied, then marks the document clean.
    virtual com::HRESULT Empty() noexcept = 0;
    virtual com::HRESULT IsDirty(com::LONG* outIsDirty) noexcept = 0;
    virtual com::HRESULT GetPreviewSpot(IBaseSpot** previewSpot) noexcept = 0;
    virtual com::HRESULT SetDirty(com::VARIANT_BOOL* inDirty) noexcept = 0;
    virtual com::HRESULT GetNumSpots(com::LONG* outNumSpots) noexcept = 0;
    virtual com::HRESULT SpotAtIndex(com::LONG inIndex, IBaseSpot** outBaseSpot) noexcept = 0;
    virtual com::HRESULT GetUndoManager(IUndoManager** outUndoManager) noexcept = 0;
    virtual com::HRESULT SendOpenNotification() noexcept = 0;
    // inIndex from 0 (front) to the number of spots (end).
    virtual com::HRESULT InsertSpot(IBaseSpot* inBaseSpot, com::LONG inIndex) noexcept = 0;
    // A spot that is not in the list gives the number of spots.
    virtual com::HRESULT GetSpotIndex(IBaseSpot* inBaseSpot, com::LONG* outIndex) noexcept = 0;
};

// DISPIDs 17 to 19 are not assigned.
inline std::span<const com::DispatchMember> DispatchTableOf(const IDocument*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IDocument::SetMapFile>(1, u"SetMapFile"),
        com::Method<&IDocument::GetMapFile>(2, u"GetMapFile"),
        com::Method<&IDocument::AddSpot>(3, u"AddSpot"),
        com::Method<&IDocument::SpotAtPoint, com::kRetval>(4, u"SpotAtPoint"),
        com::Method<&IDocument::GetCurrentSpot, com::kRetval>(5, u"GetCurrentSpot"),
        com::Method<&IDocument::PutCurrentSpot>(6, u"PutCurrentSpot"),
        com::Method<&IDocument::FirstSpot, com::kRetval>(7, u"FirstSpot"),
        com::Method<&IDocument::NextSpot, com::kRetval>(8, u"NextSpot"),
        com::Method<&IDocument::ChangeNotification>(9, u"ChangeNotification"),
        com::Method<&IDocument::DeleteSpot>(10, u"DeleteSpot"),
        com::Method<&IDocument::Empty>(11, u"Empty"),
        com::Method<&IDocument::IsDirty, com::kRetval>(12, u"IsDirty"),
        com::Method<&IDocument::GetPreviewSpot, com::kRetval>(13, u"GetPreviewSpot"),
        com::Method<&IDocument::SetDirty>(14, u"SetDirty"),
        com::Method<&IDocument::GetNumSpots, com::kRetval>(15, u"GetNumSpots"),
        com::Method<&IDocument::SpotAtIndex, com::kRetval>(16, u"SpotAtIndex"),
        com::Method<&IDocument::GetUndoManager, com::kRetval>(20, u"GetUndoManager"),
        com::Method<&IDocument::SendOpenNotification>(21, u"SendOpenNotification"),
        com::Method<&IDocument::InsertSpot>(22, u"InsertSpot"),
        com::Method<&IDocument::GetSpotIndex, com::kRetval>(23, u"GetSpotIndex"),
    };
    return members;
}
