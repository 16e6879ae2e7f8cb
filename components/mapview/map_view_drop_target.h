#pragma once

#include "platform/ui/file_drop_target.h"

class PLMapView;

namespace mapview {

// Turns every file of a drop into an edit of the map view's document; all the edits of one drop
// are one step of undo. A drop while the view has no document is ignored.
class MapViewDropTarget final : public ui::FileDropTarget {
public:
    MapViewDropTarget(PLMapView& view, QWidget& window);

protected:
    void OnDrop(const QStringList& files, QPoint screenPoint) override;

private:
    PLMapView& view_;
};

}  // namespace mapview
