#pragma once

#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"

// A spot that holds a slide show: an ordered list of picture paths with a current index, and an
// optional sound file. Every change is announced through the spot's document, while it has one.
// Strings come in by pointer and are copied (a null string stays null); E_OUTOFMEMORY when a copy
// fails. On a spot without pictures NextImage and PreviousImage set the index to 0 (and announce it)
// and CurrentImage gives null. An index that SetIndex put outside the list is never read through:
// CurrentImage gives null, RemoveCurrentImage and InsertPhoto answer E_INVALIDARG, and NextImage /
// PreviousImage go to the first / last picture.
struct IPhotoSpot : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IPhotoSpot;
    using Base = com::IDispatch;
    // Sets the bounds and the document without the move notifications, then announces the spot.
    virtual com::HRESULT InitSpot(tagRECT* inBounds, com::IUnknown* inDocument) noexcept = 0;
    virtual com::HRESULT AddPhoto(com::BSTR* inImageFileName) noexcept = 0;
    // A null output pointer is accepted and ignored.
    virtual com::HRESULT CurrentImage(com::BSTR* outImagePath) noexcept = 0;
    virtual com::HRESULT NextImage() noexcept = 0;
    // Removes the current picture; the one before it becomes current. Nothing at all on an empty list.
    virtual com::HRESULT RemoveCurrentImage() noexcept = 0;
    // Inserts before the current picture, which makes the new one current.
    virtual com::HRESULT InsertPhoto(com::BSTR* inImageFileName) noexcept = 0;
    virtual com::HRESULT NumImages(com::LONG* outNumImages) noexcept = 0;
    virtual com::HRESULT PreviousImage() noexcept = 0;
    virtual com::HRESULT SetAudioFile(com::BSTR* inAudioFile) noexcept = 0;
    // Null when the spot has no sound. A null output pointer is accepted and ignored.
    virtual com::HRESULT GetAudioFile(com::BSTR* outAudioFile) noexcept = 0;
    virtual com::HRESULT GetIndex(com::LONG* outIndex) noexcept = 0;
    // Stored as given, without a range test.
    virtual com::HRESULT SetIndex(com::LONG inNewIndex) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IPhotoSpot*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IPhotoSpot::InitSpot>(1, u"InitSpot"),
        com::Method<&IPhotoSpot::AddPhoto>(2, u"AddPhoto"),
        com::Method<&IPhotoSpot::CurrentImage, com::kRetval>(3, u"CurrentImage"),
        com::Method<&IPhotoSpot::NextImage>(4, u"NextImage"),
        com::Method<&IPhotoSpot::RemoveCurrentImage>(5, u"RemoveCurrentImage"),
        com::Method<&IPhotoSpot::InsertPhoto>(6, u"InsertPhoto"),
        com::Method<&IPhotoSpot::NumImages, com::kRetval>(7, u"NumImages"),
        com::Method<&IPhotoSpot::PreviousImage>(8, u"PreviousImage"),
        com::Method<&IPhotoSpot::SetAudioFile>(9, u"SetAudioFile"),
        com::Method<&IPhotoSpot::GetAudioFile, com::kRetval>(10, u"GetAudioFile"),
        com::Method<&IPhotoSpot::GetIndex, com::kRetval>(11, u"GetIndex"),
        com::Method<&IPhotoSpot::SetIndex>(12, u"SetIndex"),
    };
    return members;
}
