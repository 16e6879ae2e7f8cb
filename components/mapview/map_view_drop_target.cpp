#include "components/mapview/map_view_drop_target.h"

#include "components/mapview/pl_map_view.h"
#include "components/mapview/undo_group.h"

namespace mapview {

MapViewDropTarget::MapViewDropTarget(PLMapView& view, QWidget& window) : FileDropTarget(window), view_(view) {}

void MapViewDropTarget::OnDrop(const QStringList& files, QPoint screenPoint)
{
    if (files.isEmpty()) return;
    com::ComPtr<IDocument> document;
    view_.GetDocument(document.put());
    if (!document) return;
    const UndoGroup group(*document);
    for (const QString& file : files) view_.dropFile(screenPoint, file);
}

}  // namespace mapview
