#pragma once

#include "components/interfaces/map_view.h"
#include "components/mapview/map_geometry.h"
#include "components/mapview/zoom_pixels.h"
#include "imaging/image.h"
#include "imaging/shown_picture.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/key_codes.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QPainter;
namespace ui {
class DeviceContext;
}

namespace mapview {
class MapViewWindow;
}

// The map view control: shows the document's map picture fitted into its window, the spots over
// it and the containing map in the top right corner; hands mouse and keys to the current tool;
// takes dropped files. Its window (MapViewWindow) only translates Qt's events into the handlers
// below.
//
// The user may zoom in past the fit and pan the zoomed map. Everything that converts between the
// window and the map (the tools, the drops, the spots' drawing) goes through the view's
// conversions, which follow the zoom, so spots are edited alike at any zoom. The fit is the lowest
// zoom; at the fit the view is exactly as if it had no zoom.
//
// Thread: the user-interface thread. The view holds the document and the tool; the document's
// notifications reach it through the host (DocumentChanged), synchronously, also while the view is
// inside one of its own handlers.
class PLMapView final
    : public com::Implements<PLMapView, IMapView, com::EventSource<_IMapViewEvents>, ui::IHostedControl> {
public:
    PLMapView() = default;

    com::HRESULT GetDocument(IDocument** pVal) noexcept override;
    com::HRESULT SetDocument(IDocument* newVal) noexcept override;
    com::HRESULT GetMapFileName(com::BSTR* pVal) noexcept override;
    com::HRESULT SetMapFileName(com::BSTR newVal) noexcept override;
    com::HRESULT SetCurrentTool(IBaseTool* newVal) noexcept override;
    com::HRESULT ConvertAreaRectToModelRect(tagRECT* areaRect, tagRECT* modelRect) noexcept override;
    com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeType) noexcept override;
    com::HRESULT ConvertAreaPointToModelPoint(tagPOINT* inAreaPoint, tagPOINT* outModelPoint) noexcept override;
    com::HRESULT ConvertModelRectToAreaRect(tagRECT* inModelRect, tagRECT* outAreaRect) noexcept override;
    com::HRESULT OnDeleteKey() noexcept override;
    com::HRESULT GetModelBounds(tagRECT* outRect) noexcept override;
    com::HRESULT PushContainingMap(com::BSTR* inMap, com::BSTR* inMapImage) noexcept override;
    com::HRESULT PopContainingMap() noexcept override;
    com::HRESULT PopAllMaps() noexcept override;
    com::HRESULT GetRootMap(com::BSTR* outRootMap) noexcept override;
    com::HRESULT InvalMap() noexcept override;
    com::HRESULT GetMaximized(com::LONG* pVal) noexcept override;
    com::HRESULT PutMaximized(com::LONG newVal) noexcept override;
    com::HRESULT ZoomToFit() noexcept override;

    com::HRESULT CreateControlWindow(QWidget* host) noexcept override;
    QWidget* ControlWindow() noexcept override;

    // The window's messages, as MapViewWindow translates them. Points are area coordinates.
    void onPaint(QPainter& painter);
    void onSize();
    void onSetFocus();
    void onKeyDown(const ui::KeyPress& key);
    void onLButtonDown(tagPOINT point);
    void onMouseMove(tagPOINT point);
    // The story of the spot under an area point, as its tooltip; empty where there is none.
    QString toolTipAt(tagPOINT point);
    void onLButtonUp(tagPOINT point);
    void onLButtonDoubleClick(tagPOINT point);
    void onCollapseClicked();
    void onExpandClicked();

    // Zoom steps in (positive) or out (negative), keeping the map point under `anchor` where it is.
    void zoomBy(int steps, QPoint anchor);
    // Moves a zoomed map by `delta` window pixels, as far as it reaches; nothing at the fit.
    void panBy(QPoint delta);
    bool zoomed() const { return zoom_.has_value(); }

    // One file of a drop at a point of the screen: a new map picture, a new or extended spot, a
    // sound, a link, or a map to open, by the file's kind and what lies under the point.
    void dropFile(QPoint screenPoint, const QString& path);

private:
    struct ContainingMap {
        std::optional<std::u16string> map;
        std::optional<std::u16string> mapImage;
    };
    struct Zoom {
        mapview::ZoomScale scale;
        QPoint origin;  // the picture's top left corner in the window
    };

    ~PLMapView() override;

    QSize clientSize() const;
    mapview::ViewFit fit() const;
    bool hasContainingMap() const;
    bool inOverviewBox(tagPOINT point) const;
    void zoomOut();
    void loadMapPicture();
    // The zoom becomes `zoom` (none: the fit) and the whole map is drawn again.
    void setZoom(std::optional<Zoom> zoom);
    // The map picture's rectangle in the window, at the fit or at the zoom.
    tagRECT shownPictureRect() const;
    void invalidateWindow();
    void selectNeighbour(bool previous);
    void nudge(long virtualKey);
    using ToolHandler = com::HRESULT (IBaseTool::*)(IDocument*, com::IUnknown*, tagPOINT*) noexcept;
    void callTool(ToolHandler handler, tagPOINT point);

    QRegion repaintRegion();
    void paintHint(ui::DeviceContext& dc, const QRect& client);
    void rebuildOffscreen(const QRect& client, qreal devicePixelRatio);
    QColor background() const;
    void paintSpots(ui::DeviceContext& dc, const QRegion& region);
    void paintOverview(ui::DeviceContext& dc, const QRect& client);

    // The three drops on a shown map and the refusal; `model` is the drop point on the picture.
    void dropFileOnWindow(QPoint local, const QString& path);
    void dropPicture(tagPOINT model, const QString& path);
    void dropSound(tagPOINT model, const QString& path);
    void dropLink(tagPOINT model, const QString& path);
    void refuseDrop();
    tagRECT newSpotBounds(tagPOINT model);
    void onZoomPixelsArrived();

    com::ComPtr<IDocument> document_;
    std::optional<QString> mapFileName_;
    com::ComPtr<IBaseTool> currentTool_;
    std::optional<imaging::ShownPicture> mapPicture_;
    tagRECT pictureRect_{0, 0, 0, 0};
    QImage offscreen_;
    bool offscreenStale_ = true;
    std::vector<tagRECT> pendingRepaints_;
    bool repaintWhole_ = false;  // InvalMap: the next paint repaints the whole client area
    std::vector<ContainingMap> containingMaps_;
    std::optional<imaging::Image> overviewPicture_;
    com::LONG maximized_ = 0;
    std::optional<Zoom> zoom_;
    mapview::ZoomPixels zoomPixels_{[this] { onZoomPixelsArrived(); }};
    QPointer<mapview::MapViewWindow> window_;
    // The spot the arrow keys are moving in one undo step, until any other change.
    com::ComPtr<IBaseSpot> nudgedSpot_;
    bool nudging_ = false;
};
