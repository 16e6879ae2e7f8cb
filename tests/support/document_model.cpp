#include "tests/support/document_model.h"

#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"

namespace test_support {

com::ComPtr<IDocument> MakeDocument()
{
    return com::CreateInstance<IDocument>(CLSID_PLDocument);
}

com::ComPtr<IPhotoSpot> MakePhotoSpot(IDocument* document, tagRECT bounds)
{
    auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
    com::ThrowIfFailed(spot->InitSpot(&bounds, document));
    return spot;
}

com::ComPtr<IMapSpot> MakeMapSpot(IDocument* document, tagRECT bounds)
{
    auto spot = com::CreateInstance<IMapSpot>(CLSID_PLMapSpot);
    com::ThrowIfFailed(spot->InitSpot(&bounds, document));
    return spot;
}

com::ComPtr<IBaseSpot> BaseOf(com::IUnknown* spot)
{
    return com::ComPtr<com::IUnknown>(spot).as<IBaseSpot>();
}

void AddPhoto(const com::ComPtr<IPhotoSpot>& spot, std::u16string_view path)
{
    com::Bstr name(path);
    com::BSTR value = name.get();
    com::ThrowIfFailed(spot->AddPhoto(&value));
}

std::vector<std::u16string> PicturesOf(const com::ComPtr<IPhotoSpot>& spot)
{
    com::LONG count = 0;
    com::ThrowIfFailed(spot->NumImages(&count));
    const com::LONG index = IndexOf(spot);
    std::vector<std::u16string> pictures;
    // Walks with SetIndex, then puts the index back: notifications go to the spot's document.
    for (com::LONG i = 0; i < count; ++i) {
        com::ThrowIfFailed(spot->SetIndex(i));
        com::Bstr path;
        com::ThrowIfFailed(spot->CurrentImage(path.put()));
        pictures.emplace_back(path.view());
    }
    com::ThrowIfFailed(spot->SetIndex(index));
    return pictures;
}

com::LONG IndexOf(const com::ComPtr<IPhotoSpot>& spot)
{
    com::LONG index = 0;
    com::ThrowIfFailed(spot->GetIndex(&index));
    return index;
}

std::optional<std::u16string> Text(com::BSTR value)
{
    if (!value) return std::nullopt;
    return std::u16string(com::View(value));
}

std::optional<std::u16string> AudioOf(const com::ComPtr<IPhotoSpot>& spot)
{
    com::Bstr audio;
    com::ThrowIfFailed(spot->GetAudioFile(audio.put()));
    return Text(audio.get());
}

std::optional<std::u16string> LinkOf(const com::ComPtr<IMapSpot>& spot)
{
    com::Bstr link;
    com::ThrowIfFailed(spot->GetFileName(link.put()));
    return Text(link.get());
}

std::u16string MapFileOf(const com::ComPtr<IDocument>& document)
{
    com::Bstr mapFile;
    com::ThrowIfFailed(document->GetMapFile(mapFile.put()));
    if (mapFile.isNull()) throw com::ComError(com::E_UNEXPECTED);
    return std::u16string(mapFile.view());
}

tagRECT BoundsOf(com::IUnknown* spot)
{
    tagRECT bounds{};
    com::ThrowIfFailed(BaseOf(spot)->GetBounds(&bounds));
    return bounds;
}

std::vector<com::ComPtr<IBaseSpot>> SpotsOf(const com::ComPtr<IDocument>& document)
{
    com::LONG count = 0;
    com::ThrowIfFailed(document->GetNumSpots(&count));
    std::vector<com::ComPtr<IBaseSpot>> spots(count);
    for (com::LONG i = 0; i < count; ++i) com::ThrowIfFailed(document->SpotAtIndex(i, spots[i].put()));
    return spots;
}

StoryWords StoryOf(com::IUnknown* spot)
{
    const auto story = com::ComPtr<com::IUnknown>(spot).as<ISpotStory>();
    StoryWords words;
    com::Bstr title;
    com::Bstr text;
    com::ThrowIfFailed(story->GetTitle(title.put()));
    com::ThrowIfFailed(story->GetText(text.put()));
    words.title = title.view();
    words.text = text.view();
    com::LONG count = 0;
    if (const auto photo = story.tryAs<IPhotoSpot>()) com::ThrowIfFailed(photo->NumImages(&count));
    for (com::LONG i = 0; i < count; ++i) {
        com::Bstr caption;
        com::ThrowIfFailed(story->GetCaption(i, caption.put()));
        words.captions.emplace_back(caption.view());
    }
    return words;
}

void SetStory(com::IUnknown* spot, const StoryWords& words)
{
    const auto story = com::ComPtr<com::IUnknown>(spot).as<ISpotStory>();
    com::ThrowIfFailed(story->SetTitle(com::Bstr(words.title).get()));
    com::ThrowIfFailed(story->SetText(com::Bstr(words.text).get()));
    for (std::size_t i = 0; i < words.captions.size(); ++i)
        com::ThrowIfFailed(story->SetCaption(static_cast<com::LONG>(i), com::Bstr(words.captions[i]).get()));
}

}  // namespace test_support
