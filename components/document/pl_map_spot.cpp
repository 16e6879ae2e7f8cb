#include "components/document/pl_map_spot.h"

#include "components/document/string_copy.h"

namespace {
constexpr char16_t kMapNameKey[] = u"MapNameKey";
}  // namespace

com::HRESULT PLMapSpot::InitSpot(tagRECT* inBounds, com::IUnknown* inDoc) noexcept
{
    return initSpot(inBounds, inDoc);
}

com::HRESULT PLMapSpot::SetFileName(com::BSTR* inFileName) noexcept
{
    if (!inFileName) return com::E_POINTER;
    return com::Guarded([&] {
        fileName_ = document::CopyString(*inFileName);
        notify(kSpotLinkChanged);
        return com::S_OK;
    });
}

com::HRESULT PLMapSpot::GetFileName(com::BSTR* outFileName) noexcept
{
    if (!outFileName) return com::S_OK;
    *outFileName = nullptr;
    return com::Guarded([&] {
        *outFileName = document::CopyString(fileName_.get()).detach();
        return com::S_OK;
    });
}

com::HRESULT PLMapSpot::GetCaption(com::LONG, com::BSTR* outCaption) noexcept
{
    if (!outCaption) return com::E_POINTER;
    *outCaption = nullptr;
    return com::E_INVALIDARG;
}

com::HRESULT PLMapSpot::SetCaption(com::LONG, com::BSTR) noexcept
{
    return com::E_INVALIDARG;
}

com::HRESULT PLMapSpot::Save(com::IPropertyBag* bag, int, int) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        document::WriteString(*bag, kMapNameKey, fileName_.get());
        saveBounds(*bag);
        saveStory(*bag);
        return com::S_OK;
    });
}

com::HRESULT PLMapSpot::Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept
{
    if (!bag) return com::E_POINTER;
    return com::Guarded([&] {
        // A missing key keeps the link the spot had.
        if (std::optional<com::Bstr> name = document::ReadString(*bag, kMapNameKey, errorLog)) {
            const com::Bstr located = document::LocatedPath(*bag, std::move(*name));
            com::BSTR value = located.get();
            com::ThrowIfFailed(SetFileName(&value));
        }
        loadBounds(*bag, errorLog);
        loadStory(*bag, errorLog);
        return com::S_OK;
    });
}
