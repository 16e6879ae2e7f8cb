#include "components/slideshow/bitmap_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace slideshow {

BitmapButton::BitmapButton(QWidget& parent, int commandId, QImage normal, QImage pressed, QImage hover)
    : QAbstractButton(&parent),
      commandId_(commandId),
      normal_(std::move(normal)),
      pressed_(std::move(pressed)),
      hover_(std::move(hover))
{
    setObjectName(QString::number(commandId));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hovering needs the moves of a pointer that holds no button.
    setMouseTracking(true);
}

void BitmapButton::setLatched(bool latched)
{
    latched_ = latched;
    update();
}

void BitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage* picture = &normal_;
    if (latched_ || isDown()) picture = &pressed_;
    else if (hovering_ && !hover_.isNull()) picture = &hover_;
    if (picture->isNull()) painter.fillRect(rect(), palette().button());
    else painter.drawImage(rect(), *picture);
}

void BitmapButton::mouseMoveEvent(QMouseEvent* event)
{
    // While held, QAbstractButton makes the pushed state follow the pointer on and off the button.
    if (!(event->buttons() & Qt::LeftButton) && !hovering_) {
        hovering_ = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void BitmapButton::mousePressEvent(QMouseEvent* event)
{
    // The hover look goes with the press and comes back with the next move after the release.
    hovering_ = false;
    QAbstractButton::mousePressEvent(event);
}

void BitmapButton::leaveEvent(QEvent* event)
{
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace slideshow
