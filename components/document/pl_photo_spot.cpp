#include "components/document/pl_photo_spot.h"

#include "components/document/string_copy.h"

#include <cstdint>

namespace {
constexpr char16_t kNumFilesKey[] = u"NumFilesKey";
constexpr char16_t kAudioFileKey[] = u"AudioFileKey";

std::u16string FileKey(com::LONG index)
{
    return document::IndexedKey(u"File_", index, u"_Key");
}

std::u16string CaptionKey(com::LONG index)
{
    return document::IndexedKey(u"Caption_", index, u"_Key");
}
}  // namespace

com::HRESULT PLPhotoSpot::InitSpot(tagRECT* inBounds, com::IUnknown* inDocument) noexcept
{
    return initSpot(inBounds, inDocument);
}

com::HRESULT PLPhotoSpot::AddPhoto(com::BSTR* inImageFileName) noexcept
{
    if (!inImageFileName) return com::E_POINTER;
    return com::Guarded([&] {
        pictures_.push_back({document::CopyString(*inImageFileName), {}});
        notify(kPictureAdded);
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::CurrentImage(com::BSTR* outImagePath) noexcept
{
    if (!outImagePath) return com::S_OK;
    *outImagePath = nullptr;
    if (!indexInList()) return com::S_OK;
    return com::Guarded([&] {
        *outImagePath = document::CopyString(pictures_[index_].path.get()).detach();
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::NextImage() noexcept
{
    // (index + 1) modulo the number of pictures, also from an index outside the list (SetIndex does
    // not check): the result always lies in the list. An empty list has no modulus; its index goes to 0.
    if (pictures_.empty()) {
        index_ = 0;
    } else {
        const std::int64_t next = (static_cast<std::int64_t>(index_) + 1) % count();
        index_ = static_cast<com::LONG>(next < 0 ? next + count() : next);
    }
    notify(kCurrentPictureChanged);
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::PreviousImage() noexcept
{
    // Only index 0 wraps to the last picture; any other index, also one outside the list, goes down
    // by one, in the 32-bit arithmetic of the stored index (no overflow below the smallest index).
    if (pictures_.empty())
        index_ = 0;
    else if (index_ == 0)
        index_ = count() - 1;
    else
        index_ = static_cast<com::LONG>(static_cast<com::ULONG>(index_) - 1u);
    notify(kCurrentPictureChanged);
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::RemoveCurrentImage() noexcept
{
    if (pictures_.empty()) return com::S_OK;
    if (!indexInList()) return com::E_INVALIDARG;
    pictures_.erase(pictures_.begin() + index_);
    if (index_ > 0) --index_;
    notify(kPictureRemoved);
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::InsertPhoto(com::BSTR* inImageFileName) noexcept
{
    if (!inImageFileName) return com::E_POINTER;
    if (index_ < 0 || index_ > count()) return com::E_INVALIDARG;
    return com::Guarded([&] {
        pictures_.insert(pictures_.begin() + index_, {document::CopyString(*inImageFileName), {}});
        notify(kPictureAdded);
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::NumImages(com::LONG* outNumImages) noexcept
{
    if (!outNumImages) return com::E_POINTER;
    *outNumImages = count();
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::SetAudioFile(com::BSTR* inAudioFile) noexcept
{
    if (!inAudioFile) return com::E_POINTER;
    return com::Guarded([&] {
        audioFile_ = document::CopyString(*inAudioFile);
        notify(kAudioChanged);
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::GetAudioFile(com::BSTR* outAudioFile) noexcept
{
    if (!outAudioFile) return com::S_OK;
    *outAudioFile = nullptr;
    return com::Guarded([&] {
        *outAudioFile = document::CopyString(audioFile_.get()).detach();
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::GetIndex(com::LONG* outIndex) noexcept
{
    if (!outIndex) return com::E_POINTER;
    *outIndex = index_;
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::SetIndex(com::LONG inNewIndex) noexcept
{
    index_ = inNewIndex;
    notify(kCurrentPictureChanged);
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::GetCaption(com::LONG inPictureIndex, com::BSTR* outCaption) noexcept
{
    if (!outCaption) return com::E_POINTER;
    *outCaption = nullptr;
    if (!inList(inPictureIndex)) return com::E_INVALIDARG;
    return copyOut(pictures_[inPictureIndex].caption, outCaption);
}

com::HRESULT PLPhotoSpot::SetCaption(com::LONG inPictureIndex, com::BSTR inCaption) noexcept
{
    if (!inList(inPictureIndex)) return com::E_INVALIDARG;
    return com::Guarded([&] {
        pictures_[inPictureIndex].caption = document::StoryText(inCaption);
        notify(kPictureCaptionChanged);
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::Save(com::IPropertyBag* bag, int, int) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        document::WriteLong(*bag, kNumFilesKey, count());
        saveBounds(*bag);
        for (com::LONG i = 0; i < count(); ++i) document::WriteString(*bag, FileKey(i), pictures_[i].path.get());
        document::WriteString(*bag, kAudioFileKey, audioFile_.get());
        saveStory(*bag);
        for (com::LONG i = 0; i < count(); ++i) saveWords(*bag, CaptionKey(i), pictures_[i].caption);
        return com::S_OK;
    });
}

// Reads pictures before bounds, unlike the writing order; files depend on neither order. The count
// is not trusted: reading stops at the first picture key that is missing, so a damaged count
// neither hangs the load nor adds empty entries.
com::HRESULT PLPhotoSpot::Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        const com::LONG files = document::ReadLong(*bag, kNumFilesKey, errorLog).value_or(0);
        document::ReadNumbered(*bag, &FileKey, files, errorLog, [&](const com::Variant& value) {
            if (std::optional<com::Bstr> file = document::StringOf(value)) {
                const com::Bstr located = document::LocatedPath(*bag, std::move(*file));
                com::BSTR name = located.get();
                com::ThrowIfFailed(AddPhoto(&name));
            }
        });
        loadBounds(*bag, errorLog);
        // A missing key keeps the sound the spot had; a stored null string removes it.
        if (std::optional<com::Bstr> audio = document::ReadString(*bag, kAudioFileKey, errorLog))
            audioFile_ = document::LocatedPath(*bag, std::move(*audio));
        loadStory(*bag, errorLog);
        // Only pictures that were read have captions; a caption for a position beyond them is dropped.
        for (com::LONG i = 0; i < count(); ++i) loadWords(*bag, CaptionKey(i), errorLog, pictures_[i].caption);
        return com::S_OK;
    });
}
