#include "components/mapview/map_view_window.h"

#include "components/mapview/pl_map_view.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace mapview {

namespace {

tagPOINT AreaPoint(const QMouseEvent& event)
{
    const QPoint position = event.position().toPoint();
    return {position.x(), position.y()};
}

constexpr int kWheelNotch = 120;       // eighths of a degree: one notch of a common wheel
constexpr int kPixelsPerWheelLine = 20;  // what Qt's scrolled views move for one line of the wheel

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
    if (zoomKey(*event)) return;
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = true;
        updatePanCursor();
    }
    if (const std::optional<ui::KeyPress> key = ui::KeyPressFrom(*event)) view_.onKeyDown(*key);
}

void MapViewWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        updatePanCursor();
    }
}

bool MapViewWindow::zoomKey(const QKeyEvent& event)
{
    if (!(event.modifiers() & Qt::ControlModifier)) return false;
    const QPoint anchor = pointer_.value_or(rect().center());
    switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // the plus key unshifted, as most keyboards have it
        view_.zoomBy(1, anchor);
        return true;
    case Qt::Key_Minus:
        view_.zoomBy(-1, anchor);
        return true;
    case Qt::Key_0:
        view_.ZoomToFit();
        return true;
    default:
        return false;
    }
}

void MapViewWindow::mousePressEvent(QMouseEvent* event)
{
    const bool pan = event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_);
    if (pan) {
        startPan(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    view_.onLButtonDown(AreaPoint(*event));
}

void MapViewWindow::mouseMoveEvent(QMouseEvent* event)
{
    pointer_ = event->position().toPoint();
    if (panFrom_) {
        view_.panBy(*pointer_ - *panFrom_);
        panFrom_ = pointer_;
        return;
    }
    view_.onMouseMove(AreaPoint(*event));
}

void MapViewWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (panFrom_) {
        if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
            panFrom_.reset();
            updatePanCursor();
        }
        return;
    }
    if (event->button() == Qt::LeftButton) view_.onLButtonUp(AreaPoint(*event));
}

void MapViewWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !spaceHeld_) view_.onLButtonDoubleClick(AreaPoint(*event));
}

void MapViewWindow::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        zoomWheel_ += event->angleDelta().y();
        const int steps = zoomWheel_ / kWheelNotch;
        zoomWheel_ -= steps * kWheelNotch;
        view_.zoomBy(steps, event->position().toPoint());
        return;
    }
    // A touchpad tells pixels; a wheel tells notches, each the desktop's number of lines.
    QPoint delta = event->pixelDelta();
    if (delta.isNull())
        delta = event->angleDelta() * QApplication::wheelScrollLines() * kPixelsPerWheelLine / kWheelNotch;
    if (event->modifiers() & Qt::ShiftModifier) delta = QPoint(delta.y(), delta.x());
    view_.panBy(delta);
}

void MapViewWindow::leaveEvent(QEvent*)
{
    pointer_.reset();
}

void MapViewWindow::startPan(QPoint at)
{
    panFrom_ = at;
    updatePanCursor();
}

void MapViewWindow::updatePanCursor()
{
    if (panFrom_) setCursor(Qt::ClosedHandCursor);
    else if (spaceHeld_) setCursor(Qt::OpenHandCursor);
    else unsetCursor();
}

bool MapViewWindow::focusNextPrevChild(bool)
{
    // Tab and Shift+Tab step through the spots; QWidget hands them to keyPressEvent when this
    // answers false.
    return false;
}

}  // namespace mapview
