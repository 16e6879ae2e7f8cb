#include "components/document/pl_photo_spot.h"

#include "components/document/string_copy.h"

#include <algorithm>

namespace {
constexpr char16_t kNumFilesKey[] = u"NumFilesKey";
constexpr char16_t kAudioFileKey[] = u"AudioFileKey";

std::u16string FileKey(com::LONG index)
{
    return document::IndexedKey(u"File_", index, u"_Key");
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
        pictures_.push_back(document::CopyString(*inImageFileName));
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
        *outImagePath = document::CopyString(pictures_[index_].get()).detach();
        return com::S_OK;
    });
}

com::HRESULT PLPhotoSpot::NextImage() noexcept
{
    // An index outside the list (SetIndex does not check) starts again at the first picture.
    index_ = 0 <= index_ && index_ < count() - 1 ? index_ + 1 : 0;
    notify(kCurrentPictureChanged);
    return com::S_OK;
}

com::HRESULT PLPhotoSpot::PreviousImage() noexcept
{
    // An index outside the list goes to the last picture, as index 0 does.
    index_ = 0 < index_ && index_ < count() ? index_ - 1 : std::max<com::LONG>(count() - 1, 0);
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
        pictures_.insert(pictures_.begin() + index_, document::CopyString(*inImageFileName));
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

com::HRESULT PLPhotoSpot::Save(com::IPropertyBag* bag, int, int) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        document::WriteLong(*bag, kNumFilesKey, count());
        saveBounds(*bag);
        for (com::LONG i = 0; i < count(); ++i) document::WriteString(*bag, FileKey(i), pictures_[i].get());
        document::WriteString(*bag, kAudioFileKey, audioFile_.get());
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
        for (com::LONG i = 0; i < files; ++i) {
            std::optional<com::Bstr> file = document::ReadString(*bag, FileKey(i), errorLog);
            if (!file) break;
            com::BSTR name = file->get();
            com::ThrowIfFailed(AddPhoto(&name));
        }
        loadBounds(*bag, errorLog);
        // A missing key keeps the sound the spot had; a stored null string removes it.
        if (std::optional<com::Bstr> audio = document::ReadString(*bag, kAudioFileKey, errorLog))
            audioFile_ = std::move(*audio);
        return com::S_OK;
    });
}
