#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace shell {

class WorkspaceView;

// The map's context menu, opened by a right click (or the menu key) on the map view's window. On a
// spot, which it makes the current spot: what a double click does (a photo spot's slide show, a map
// spot's map), its story, and Delete. Elsewhere on the map: back to the fit.
//
// Thread: the user-interface thread. The menu acts on the workspace's document and map view as
// they are when an item is chosen.
class MapContextMenu final : public QObject {
    Q_OBJECT
public:
    MapContextMenu(WorkspaceView& workspace, QWidget& mapWindow);

private:
    void popUp(QPoint area);

    WorkspaceView& workspace_;
    QWidget& mapWindow_;
};

}  // namespace shell
