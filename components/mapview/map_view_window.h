#pragma once

#include "components/mapview/map_view_drop_target.h"
#include "platform/ui/maximize_buttons.h"

#include <QWidget>

class PLMapView;

namespace mapview {

// The map view's window: turns Qt's events into the view's handlers and carries the two buttons.
// It paints everything itself and never erases its background, and it keeps Tab for the view
// instead of moving the focus. Owned by its host widget; the view deletes it when it goes first.
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
    bool focusNextPrevChild(bool next) override;

private:
    PLMapView& view_;
    MapViewDropTarget dropTarget_;  // takes this window's drag events
    ui::MaximizeButtons buttons_;
};

}  // namespace mapview
