#include "components/document/pl_document.h"

#include "components/document/property_values.h"
#include "components/document/string_copy.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/photo_spot.h"
#include "platform/com/runtime.h"

#include <algorithm>

namespace {
constexpr char16_t kMapFileKey[] = u"MapFileKey";
constexpr char16_t kNumSpotsKey[] = u"NumSpotsKey";

std::u16string SpotKey(com::LONG index)
{
    return document::IndexedKey(u"Spot_", index, u"_Key");
}

constexpr com::DISPID kDocumentChangedId = 1;
}  // namespace

// The undo manager is made first: until the preview spot is given this document, nothing has taken a
// weak reference on it, so a failure here leaves no half-made weak reference behind.
PLDocument::PLDocument()
    : undoManager_(com::CreateInstance<IUndoManager>(CLSID_PLUndoManager)),
      previewSpot_(com::CreateInstance<IBaseSpot>(CLSID_PLPhotoSpot))
{
    tagRECT empty{0, 0, 0, 0};
    com::ThrowIfFailed(previewSpot_.as<IPhotoSpot>()->InitSpot(&empty, identity()));
}

void PLDocument::broadcast(com::IUnknown* changed, com::LONG changeFlags)
{
    // A failing listener ends this broadcast; the sender is not told.
    Fire(kDocumentChangedId, changed, changeFlags);
}

com::HRESULT PLDocument::SetMapFile(com::BSTR inMapFile) noexcept
{
    return com::Guarded([&] {
        mapFile_ = document::CopyString(inMapFile);
        broadcast(identity(), kMapFileChanged);
        return com::S_OK;
    });
}

com::HRESULT PLDocument::GetMapFile(com::BSTR* outMapFile) noexcept
{
    if (!outMapFile) return com::E_POINTER;
    *outMapFile = nullptr;
    com::Bstr copy(mapFile_.view());
    if (copy.isNull()) return com::E_OUTOFMEMORY;
    *outMapFile = copy.detach();
    return com::S_OK;
}

com::HRESULT PLDocument::AddSpot(IBaseSpot* inNewSpot) noexcept
{
    if (!inNewSpot) return com::E_POINTER;
    return com::Guarded([&] {
        spots_.emplace_back(inNewSpot);
        return com::S_OK;
    });
}

com::HRESULT PLDocument::SpotAtPoint(tagPOINT* inPoint, IBaseSpot** spot) noexcept
{
    if (!inPoint || !spot) return com::E_POINTER;
    *spot = nullptr;
    com::ComPtr<IBaseSpot> candidate;
    // A copy of the list: a spot's answer must not be able to pull the list from under the walk.
    const std::vector<com::ComPtr<IBaseSpot>> spots = spots_;
    for (const com::ComPtr<IBaseSpot>& each : spots) {
        com::VARIANT_BOOL inside = com::VARIANT_FALSE;
        each->PointInSpot(inPoint->x, inPoint->y, &inside);
        if (!inside) continue;
        com::VARIANT_BOOL selected = com::VARIANT_FALSE;
        each->GetSelected(&selected);
        if (selected) return each.copyTo(spot);
        candidate = each;
    }
    return candidate.copyTo(spot);
}

com::HRESULT PLDocument::GetCurrentSpot(IBaseSpot** pVal) noexcept
{
    return currentSpot_.copyTo(pVal);
}

com::HRESULT PLDocument::PutCurrentSpot(IBaseSpot* newVal) noexcept
{
    if (const com::ComPtr<IBaseSpot> previous = currentSpot_) {
        previous->SetSelected(com::VARIANT_FALSE);
        currentSpot_.reset();
    }
    if (newVal) {
        com::ComPtr<IBaseSpot> next;
        if (com::FAILED(newVal->QueryInterface(IBaseSpot::kIid, next.putVoid()))) return com::E_NOINTERFACE;
        currentSpot_ = next;
        next->SetSelected(com::VARIANT_TRUE);
    }
    return com::S_OK;
}

com::HRESULT PLDocument::FirstSpot(IBaseSpot** outFirstSpot) noexcept
{
    if (!outFirstSpot) return com::E_POINTER;
    cursor_ = 0;
    *outFirstSpot = nullptr;
    return spots_.empty() ? com::S_OK : spots_.front().copyTo(outFirstSpot);
}

com::HRESULT PLDocument::NextSpot(IBaseSpot** outNextSpot) noexcept
{
    if (!outNextSpot) return com::E_POINTER;
    if (cursor_ < spots_.size()) ++cursor_;
    *outNextSpot = nullptr;
    return cursor_ < spots_.size() ? spots_[cursor_].copyTo(outNextSpot) : com::S_OK;
}

com::HRESULT PLDocument::ChangeNotification(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept
{
    broadcast(pUnknown, changeFlags);
    return com::S_OK;
}

com::HRESULT PLDocument::DeleteSpot(IBaseSpot* spot) noexcept
{
    if (!spot) return com::E_POINTER;
    // The list may hold the last reference; the notification below still needs the spot.
    const com::ComPtr<IBaseSpot> removed(spot);
    const auto found = std::find(spots_.begin(), spots_.end(), removed);
    if (found != spots_.end()) spots_.erase(found);
    if (currentSpot_ == removed) currentSpot_.reset();
    const com::ComPtr<com::IUnknown> identity = removed.tryAs<com::IUnknown>();
    broadcast(identity.get(), kSpotDeleted);
    return com::S_OK;
}

com::HRESULT PLDocument::Empty() noexcept
{
    while (!spots_.empty()) spots_.pop_back();
    currentSpot_.reset();
    mapFile_.reset();
    // Listeners see the document already empty, but still dirty: it is cleaned after the broadcast.
    broadcast(identity(), kDocumentEmptied);
    dirty_ = false;
    return com::S_OK;
}

com::HRESULT PLDocument::IsDirty(com::LONG* outIsDirty) noexcept
{
    if (!outIsDirty) return com::E_POINTER;
    *outIsDirty = dirty_ ? 1 : 0;
    return com::S_OK;
}

com::HRESULT PLDocument::GetPreviewSpot(IBaseSpot** previewSpot) noexcept
{
    return previewSpot_.copyTo(previewSpot);
}

com::HRESULT PLDocument::SetDirty(com::VARIANT_BOOL* inDirty) noexcept
{
    if (!inDirty) return com::E_POINTER;
    dirty_ = *inDirty != 0;
    return com::S_OK;
}

com::HRESULT PLDocument::GetNumSpots(com::LONG* outNumSpots) noexcept
{
    if (!outNumSpots) return com::E_POINTER;
    *outNumSpots = count();
    return com::S_OK;
}

com::HRESULT PLDocument::SpotAtIndex(com::LONG inIndex, IBaseSpot** outBaseSpot) noexcept
{
    if (!outBaseSpot) return com::E_POINTER;
    *outBaseSpot = nullptr;
    if (inIndex < 0 || inIndex >= count()) return com::E_INVALIDARG;
    return spots_[inIndex].copyTo(outBaseSpot);
}

com::HRESULT PLDocument::GetUndoManager(IUndoManager** outUndoManager) noexcept
{
    return undoManager_.copyTo(outUndoManager);
}

com::HRESULT PLDocument::SendOpenNotification() noexcept
{
    broadcast(identity(), kDocumentOpened);
    return com::S_OK;
}

com::HRESULT PLDocument::InsertSpot(IBaseSpot* inBaseSpot, com::LONG inIndex) noexcept
{
    if (!inBaseSpot) return com::E_POINTER;
    if (inIndex < 0 || inIndex > count()) return com::E_INVALIDARG;
    return com::Guarded([&] {
        spots_.insert(spots_.begin() + inIndex, com::ComPtr<IBaseSpot>(inBaseSpot));
        return com::S_OK;
    });
}

com::HRESULT PLDocument::GetSpotIndex(IBaseSpot* inBaseSpot, com::LONG* outIndex) noexcept
{
    if (!outIndex) return com::E_POINTER;
    const auto found = std::find_if(spots_.begin(), spots_.end(),
                                    [&](const com::ComPtr<IBaseSpot>& each) { return each.get() == inBaseSpot; });
    *outIndex = static_cast<com::LONG>(found - spots_.begin());
    return com::S_OK;
}

com::HRESULT PLDocument::GetClassID(com::CLSID* classId) noexcept
{
    if (!classId) return com::E_POINTER;
    *classId = CLSID_PLDocument;
    return com::S_OK;
}

com::HRESULT PLDocument::InitNew() noexcept
{
    return com::S_OK;
}

// Every spot is written, whatever fSaveAllProperties says, and saving always leaves the document
// clean: the file now holds what the user sees.
com::HRESULT PLDocument::Save(com::IPropertyBag* bag, int, int) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        document::WriteString(*bag, kMapFileKey, mapFile_.get());
        document::WriteLong(*bag, kNumSpotsKey, count());
        for (com::LONG i = 0; i < count(); ++i) document::WriteObject(*bag, SpotKey(i), spots_[i].get());
        dirty_ = false;
        return com::S_OK;
    });
}

// Appends the stored spots and broadcasts nothing: the application announces the opened document
// with SendOpenNotification once its views hold it. A missing or non-text map file key leaves no map
// file, a missing count no spots. A spot key that is missing, or holds no spot, is skipped and the
// spots after it still load (see ReadNumbered for how far a damaged count is followed).
com::HRESULT PLDocument::Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        currentSpot_.reset();
        std::optional<com::Bstr> mapFile = document::ReadString(*bag, kMapFileKey, errorLog);
        mapFile_ = mapFile ? document::LocatedPath(*bag, std::move(*mapFile)) : com::Bstr();
        const com::LONG spots = document::ReadLong(*bag, kNumSpotsKey, errorLog).value_or(0);
        document::ReadNumbered(*bag, &SpotKey, spots, errorLog, [&](const com::Variant& value) {
            com::ComPtr<IBaseSpot> spot;
            if ((value.vt != com::VT_DISPATCH && value.vt != com::VT_UNKNOWN) || !value.punkVal ||
                com::FAILED(value.punkVal->QueryInterface(IBaseSpot::kIid, spot.putVoid())))
                return;
            com::ThrowIfFailed(AddSpot(spot.get()));
            spot->SetDocument(identity());
        });
        dirty_ = false;
        return com::S_OK;
    });
}
