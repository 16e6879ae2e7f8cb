#include "components/mapview/pl_photo_tool.h"

#include "components/interfaces/photo_spot.h"
#include "components/mapview/spot_edits.h"
#include "components/mapview/tool_support.h"
#include "components/mapview/undo_group.h"
#include "platform/shell/shell_services.h"

namespace {
constexpr com::LONG kDefaultSpotSize = 40;

const shell::FileFilter kPictureFilters[] = {
    {"JPEG Files (*.jpg)", "*.jpg"},
    {"All Files (*.*)", "*.*"},
};
}  // namespace

com::HRESULT PLPhotoTool::LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept
{
    const auto view = mapview::MapViewOf(inView);
    if (!inDocPtr || !view || !inPoint) return com::S_OK;
    const com::ComPtr<IDocument> document(inDocPtr);
    return com::Guarded([&] {
        tagPOINT model{};
        const auto hit = mapview::SpotUnder(*document, *view, *inPoint, model);
        com::ComPtr<IPhotoSpot> photoSpot = hit ? hit.tryAs<IPhotoSpot>() : com::ComPtr<IPhotoSpot>();
        if (hit && !photoSpot) return com::S_OK;
        const std::optional<QString> chosen = shell::Services().openFileName(nullptr, kPictureFilters, 0);
        if (!chosen) return com::S_OK;

        const mapview::UndoGroup group(*document);
        tagRECT newBounds{};
        if (!hit) {
            // The first spot's model size serves as a size in window pixels, so new spots match it
            // on screen at the scale it was made.
            com::LONG width = kDefaultSpotSize, height = kDefaultSpotSize;
            com::ComPtr<IBaseSpot> first;
            document->FirstSpot(first.put());
            if (first) {
                tagRECT bounds{};
                first->GetBounds(&bounds);
                width = bounds.right - bounds.left;
                height = bounds.bottom - bounds.top;
            }
            tagRECT area{inPoint->x - width / 2, inPoint->y - height / 2, inPoint->x + width / 2,
                         inPoint->y + height / 2};
            view->ConvertAreaRectToModelRect(&area, &newBounds);
        }
        mapview::AddPicture(*document, photoSpot.get(), newBounds, *chosen);
        return com::S_OK;
    });
}
