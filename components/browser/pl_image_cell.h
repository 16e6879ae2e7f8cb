#pragma once

#include "components/interfaces/table_cell.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

#include <memory>

namespace browser {
class ThumbnailStore;
}

// One file or folder of the file browser: draws its thumbnail (a picture's, a map's map picture,
// the sound or folder icon) centred in the cell and its name along the bottom quarter. Pictures and
// maps get their thumbnails from the shared thumbnail store, which makes them off the user-interface
// thread: until one arrives the cell draws its label alone.
//
// Thread: the user-interface thread.
class PLImageCell final : public com::Implements<PLImageCell, IImageCell, ITableCell> {
public:
    PLImageCell();

    com::HRESULT SetFile(com::BSTR inFileName) noexcept override;

    com::HRESULT DrawCell(ui::HDC hdc, tagRECT* rect) noexcept override;
    com::HRESULT SetSelected(com::VARIANT_BOOL inSelected) noexcept override;
    com::HRESULT GetSelected(com::VARIANT_BOOL* outSelected) noexcept override;
    com::HRESULT GetFileName(com::BSTR* oFileName) noexcept override;
    com::HRESULT GetIsDirectory(com::VARIANT_BOOL* outIsDirectory) noexcept override;
    com::HRESULT SetIsDirectory(com::VARIANT_BOOL inIsDirectory) noexcept override;
    com::HRESULT GetFileType(com::LONG* outType) noexcept override;

private:
    ~PLImageCell() override;

    com::Bstr fileName_;
    FileType fileType_ = kFileTypeOther;
    com::VARIANT_BOOL selected_ = com::VARIANT_FALSE;
    com::VARIANT_BOOL isDirectory_ = com::VARIANT_FALSE;
    std::shared_ptr<browser::ThumbnailStore> thumbnails_;
};
