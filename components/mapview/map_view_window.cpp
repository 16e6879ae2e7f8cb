#include "components/mapview/map_view_window.h"

#include "components/mapview/pl_map_view.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace mapview {

namespace {

tagPOINT AreaPoint(const QMouseEvent& event)
{
    const QPoint position = event.position().toPoint();
    return {position.x(), position.y()};
}

}  // namespace

MapViewWindow::MapViewWindow(PLMapView& view, QWidget& host)
    : QWidget(&host),
      view_(view),
      dropTarget_(view, *this),
      buttons_(*this, [this] { view_.onCollapseClicked(); }, [this] { view_.onExpandClicked(); })
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool MapViewWindow::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = view_.toolTipAt({help->pos().x(), help->pos().y()});
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

void MapViewWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    view_.onPaint(painter);
}

void MapViewWindow::resizeEvent(QResizeEvent*)
{
    view_.onSize();
}

void MapViewWindow::focusInEvent(QFocusEvent*)
{
    view_.onSetFocus();
}

void MapViewWindow::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<ui::KeyPress> key = ui::KeyPressFrom(*event)) view_.onKeyDown(*key);
}

void MapViewWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    view_.onLButtonDown(AreaPoint(*event));
}

void MapViewWindow::mouseMoveEvent(QMouseEvent* event)
{
    view_.onMouseMove(AreaPoint(*event));
}

void MapViewWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) view_.onLButtonUp(AreaPoint(*event));
}

void MapViewWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) view_.onLButtonDoubleClick(AreaPoint(*event));
}

bool MapViewWindow::focusNextPrevChild(bool)
{
    // Tab and Shift+Tab step through the spots; QWidget hands them to keyPressEvent when this
    // answers false.
    return false;
}

}  // namespace mapview
