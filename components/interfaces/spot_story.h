#pragma once

#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"

// The words of a spot: its title (one line), its text (plain text, a blank line between paragraphs)
// and, on a photo spot, a caption for each picture. A caption belongs to its picture: it moves with
// it when pictures are added, inserted or removed. Photo and map spots both offer this interface.
//
// Text comes in by value and is copied; characters that an XML 1.0 file cannot hold (control
// characters other than tab and line ends, unpaired surrogates, U+FFFE and U+FFFF) are dropped, so
// whatever is kept saves and reads back exactly. Each setter announces its change through the
// spot's document (kSpotStoryChanged, kPictureCaptionChanged), also when the value did not change.
// Getters give an empty string, never null. Caption operations answer E_INVALIDARG for a position
// that holds no picture (every position of a map spot). E_OUTOFMEMORY when a copy fails.
struct ISpotStory : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ISpotStory;
    using Base = com::IDispatch;
    virtual com::HRESULT GetTitle(com::BSTR* outTitle) noexcept = 0;
    virtual com::HRESULT SetTitle(com::BSTR inTitle) noexcept = 0;
    virtual com::HRESULT GetText(com::BSTR* outText) noexcept = 0;
    virtual com::HRESULT SetText(com::BSTR inText) noexcept = 0;
    virtual com::HRESULT GetCaption(com::LONG inPictureIndex, com::BSTR* outCaption) noexcept = 0;
    virtual com::HRESULT SetCaption(com::LONG inPictureIndex, com::BSTR inCaption) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ISpotStory*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ISpotStory::GetTitle, com::kRetval>(1, u"GetTitle"),
        com::Method<&ISpotStory::SetTitle>(2, u"SetTitle"),
        com::Method<&ISpotStory::GetText, com::kRetval>(3, u"GetText"),
        com::Method<&ISpotStory::SetText>(4, u"SetText"),
        com::Method<&ISpotStory::GetCaption, com::kRetval>(5, u"GetCaption"),
        com::Method<&ISpotStory::SetCaption>(6, u"SetCaption"),
    };
    return members;
}
