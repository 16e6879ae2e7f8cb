#include "components/mapview/spot_edits.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/undo_create_action.h"
#include "components/interfaces/undo_set_picture_action.h"
#include "components/mapview/tool_support.h"
#include "components/mapview/undo_group.h"
#include "platform/com/runtime.h"
#include "platform/ui/qt_strings.h"

namespace mapview {

void AddPicture(IDocument& document, IPhotoSpot* photoSpot, const tagRECT& newBounds, const QString& path)
{
    com::ComPtr<IPhotoSpot> target(photoSpot);
    if (!target) {
        target = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
        const auto spot = target.as<IBaseSpot>();
        auto create = com::CreateInstance<IUndoCreateAction>(CLSID_PLUndoCreateAction);
        create->Initialize(&document, spot.get());
        RecordUndo(document, create.as<IUndoAction>().get());
        tagRECT bounds = newBounds;
        com::ComPtr<com::IUnknown> documentUnknown(&document);
        target->InitSpot(&bounds, documentUnknown.get());
        document.AddSpot(spot.get());
    }
    com::Bstr name = ui::ToBstr(path);
    com::BSTR argument = name.get();
    target->AddPhoto(&argument);
    document.PutCurrentSpot(target.as<IBaseSpot>().get());
    MarkDirty(document);
    if (photoSpot) {
        com::LONG count = 0;
        target->NumImages(&count);
        auto action = com::CreateInstance<IUndoSetPictureAction>(CLSID_PLUndoSetPictureAction);
        action->Initialize(target.get(), count - 1, &argument);
        RecordUndo(document, action.as<IUndoAction>().get());
    }
}

}  // namespace mapview
