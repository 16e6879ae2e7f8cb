#pragma once

#include "components/mapview/map_view_drop_target.h"
#include "platform/ui/maximize_buttons.h"

#include <QPoint>
#include <QWidget>
#include <optional>

class PLMapView;

namespace mapview {

// The map view's window: turns Qt's events into the view's handlers and carries the two buttons.
// It paints everything itself and never erases its background, and it keeps Tab for the view
// instead of moving the focus. Owned by its host widget; the view deletes it when it goes first.
//
// It also zooms and pans the way photo and map programs do: Ctrl with the wheel, Ctrl+plus and
// Ctrl+minus zoom in steps about the pointer (about the middle when the pointer is elsewhere),
// Ctrl+0 goes back to the fit; the wheel scrolls a zoomed map (sideways with Shift), and so does
// dragging with the middle button, or with the left button while Space is held.
class MapViewWindow final : public QWidget {
    Q_OBJECT
public:
    MapViewWindow(PLMapView& view, QWidget& host);

    // "<" while the view is not maximised, ">" while it is.
    void showButtonFor(bool maximized) { buttons_.showFor(maximized); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // True when the key was a zoom key, which the view then does not see.
    bool zoomKey(const QKeyEvent& event);
    void startPan(QPoint at);
    void updatePanCursor();

    PLMapView& view_;
    // Where the pointer is while it is over the window: Ctrl+plus zooms about it.
    std::optional<QPoint> pointer_;
    // Where a pan drag last was, while one is under way.
    std::optional<QPoint> panFrom_;
    bool spaceHeld_ = false;
    // Wheel turns smaller than a notch (fine-grained wheels and touchpads) add up to steps.
    int zoomWheel_ = 0;
    MapViewDropTarget dropTarget_;  // takes this window's drag events
    ui::MaximizeButtons buttons_;
};

}  // namespace mapview
