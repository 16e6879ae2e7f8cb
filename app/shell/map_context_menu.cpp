#include "app/shell/map_context_menu.h"

#include "app/shell/workspace_view.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "platform/ui/qt_strings.h"

#include <QMenu>
#include <QWidget>

namespace shell {

MapContextMenu::MapContextMenu(WorkspaceView& workspace, QWidget& mapWindow)
    : QObject(&mapWindow), workspace_(workspace), mapWindow_(mapWindow)
{
    mapWindow.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&mapWindow, &QWidget::customContextMenuRequested, this, &MapContextMenu::popUp);
}

void MapContextMenu::popUp(QPoint area)
{
    IMapView* view = workspace_.mapView();
    IDocument* document = workspace_.document();
    com::Bstr mapPicture;
    view->GetMapFileName(mapPicture.put());
    if (mapPicture.view().empty()) return;
    tagPOINT point{area.x(), area.y()}, model{};
    view->ConvertAreaPointToModelPoint(&point, &model);
    com::ComPtr<IBaseSpot> spot;
    document->SpotAtPoint(&model, spot.put());

    auto* menu = new QMenu(&mapWindow_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (!spot) {
        connect(menu->addAction(QStringLiteral("Zoom to &Fit\tCtrl+0")), &QAction::triggered, this,
                [this] { workspace_.mapView()->ZoomToFit(); });
    } else {
        document->PutCurrentSpot(spot.get());
        // As a double click: the spot is made current again (another may have been chosen since the
        // menu opened), opened, and marked visited.
        const auto open = [this, spot](auto how) {
            return [this, spot, how] {
                workspace_.document()->PutCurrentSpot(spot.get());
                how();
                spot->SetVisited(com::VARIANT_TRUE);
            };
        };
        if (const auto photoSpot = spot.tryAs<IPhotoSpot>()) {
            com::LONG pictures = 0;
            photoSpot->NumImages(&pictures);
            QAction* show = menu->addAction(QStringLiteral("Play &Slide Show"));
            show->setEnabled(pictures > 0);
            connect(show, &QAction::triggered, this, open([this] { workspace_.StartSlideShow(); }));
        } else if (const auto mapSpot = spot.tryAs<IMapSpot>()) {
            com::Bstr link;
            mapSpot->GetFileName(link.put());
            const QString linked = ui::ToQString(link.view());
            QAction* go = menu->addAction(QStringLiteral("&Go to Map"));
            go->setEnabled(!linked.isEmpty());
            connect(go, &QAction::triggered, this, open([this, linked] { workspace_.GoToLinkedMap(linked); }));
        }
        connect(menu->addAction(QStringLiteral("Spot &Story...\tF2")), &QAction::triggered, this, [this, spot] {
            workspace_.document()->PutCurrentSpot(spot.get());
            workspace_.EditSpotStory();
        });
        menu->addSeparator();
        connect(menu->addAction(QStringLiteral("&Delete\tDel")), &QAction::triggered, this, [this, spot] {
            workspace_.document()->PutCurrentSpot(spot.get());
            workspace_.mapView()->OnDeleteKey();
        });
    }
    menu->popup(mapWindow_.mapToGlobal(area));
}

}  // namespace shell
