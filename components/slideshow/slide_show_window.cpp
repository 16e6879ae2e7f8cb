#include "components/slideshow/slide_show_window.h"

#include "components/slideshow/pl_slide_show_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

namespace slideshow {

SlideShowWindow::SlideShowWindow(PLSlideShowView& view, QWidget& host)
    : QWidget(&host),
      view_(view),
      dropTarget_(view, *this),
      buttons_(*this, [this] { view_.onMaximizeClicked(); }, [this] { view_.onRestoreClicked(); })
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
}

void SlideShowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    view_.onPaint(painter);
}

void SlideShowWindow::resizeEvent(QResizeEvent*)
{
    view_.onSize();
}

void SlideShowWindow::timerEvent(QTimerEvent* event)
{
    view_.onTimer(event->timerId());
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<ui::KeyPress> key = ui::KeyPressFrom(*event)) view_.onKeyDown(*key);
}

void SlideShowWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint position = event->position().toPoint();
    view_.onLButtonDown({position.x(), position.y()});
}

}  // namespace slideshow
