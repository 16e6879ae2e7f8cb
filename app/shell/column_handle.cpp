#include "app/shell/column_handle.h"

#include <QMouseEvent>

namespace shell {

namespace {
// The strip reaches this far into the column, so that it is as easy to grab from either side.
constexpr int kReachIntoColumn = 2;
}  // namespace

ColumnHandle::ColumnHandle(QWidget& parent) : QWidget(&parent)
{
    setCursor(Qt::SplitHCursor);
}

void ColumnHandle::placeAt(int columnWidth)
{
    columnWidth_ = columnWidth;
    setGeometry(columnWidth - kReachIntoColumn, 0, kWidth, parentWidget()->height());
    raise();
}

void ColumnHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    grip_ = qRound(mapToParent(event->position()).x()) - columnWidth_;
}

void ColumnHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (grip_) emit moved(qRound(mapToParent(event->position()).x()) - *grip_);
}

void ColumnHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !grip_) return;
    grip_.reset();
    emit released();
}

}  // namespace shell
