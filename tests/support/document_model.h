#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/spot_story.h"
#include "platform/com/bstr.h"

#include <optional>
#include <string>
#include <vector>

// Builders and readers for documents and spots, made through the component runtime as the
// application makes them. Failures throw com::ComError, which fails the calling test.
namespace test_support {

com::ComPtr<IDocument> MakeDocument();
// A spot given its bounds and document with InitSpot (which announces it); null document: none.
com::ComPtr<IPhotoSpot> MakePhotoSpot(IDocument* document, tagRECT bounds);
com::ComPtr<IMapSpot> MakeMapSpot(IDocument* document, tagRECT bounds);
com::ComPtr<IBaseSpot> BaseOf(com::IUnknown* spot);

void AddPhoto(const com::ComPtr<IPhotoSpot>& spot, std::u16string_view path);
std::vector<std::u16string> PicturesOf(const com::ComPtr<IPhotoSpot>& spot);
com::LONG IndexOf(const com::ComPtr<IPhotoSpot>& spot);
// nullopt for "none", as opposed to an empty name.
std::optional<std::u16string> Text(com::BSTR value);
std::optional<std::u16string> AudioOf(const com::ComPtr<IPhotoSpot>& spot);
std::optional<std::u16string> LinkOf(const com::ComPtr<IMapSpot>& spot);
std::u16string MapFileOf(const com::ComPtr<IDocument>& document);
tagRECT BoundsOf(com::IUnknown* spot);
std::vector<com::ComPtr<IBaseSpot>> SpotsOf(const com::ComPtr<IDocument>& document);

// A spot's story: its title, its text and (a photo spot's) captions in picture order.
struct StoryWords {
    std::u16string title;
    std::u16string text;
    std::vector<std::u16string> captions;
    friend bool operator==(const StoryWords&, const StoryWords&) = default;
};
StoryWords StoryOf(com::IUnknown* spot);
// Sets the title, the text and each caption given (captions from picture 0 on).
void SetStory(com::IUnknown* spot, const StoryWords& words);

}  // namespace test_support
