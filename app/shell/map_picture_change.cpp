#include "app/shell/map_picture_change.h"

namespace shell {

MapPictureChange::MapPictureChange(IDocument& document, com::Bstr before, com::Bstr after)
    : document_(&document), before_(std::move(before)), after_(std::move(after))
{
}

com::HRESULT MapPictureChange::Undo() noexcept
{
    return show(before_);
}

com::HRESULT MapPictureChange::Redo() noexcept
{
    return show(after_);
}

com::HRESULT MapPictureChange::show(const com::Bstr& picture)
{
    if (const com::ComPtr<IDocument> document = document_.lock()) document->SetMapFile(picture.get());
    return com::S_OK;
}

}  // namespace shell
