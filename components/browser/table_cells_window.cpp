#include "components/browser/table_cells_window.h"

#include "components/browser/pl_table_cells.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace browser {

namespace {

tagPOINT AreaPoint(const QMouseEvent& event)
{
    const QPoint position = event.position().toPoint();
    return {position.x(), position.y()};
}

}  // namespace

TableCellsWindow::TableCellsWindow(PLTableCells& grid, QWidget& host)
    : QWidget(&host), grid_(grid), scrollBar_(new QScrollBar(Qt::Vertical, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->setPageStep(1);
    scrollBar_->setSingleStep(1);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) { grid_.onScroll(value); });
}

QSize TableCellsWindow::clientSize() const
{
    return QSize(std::max(0, width() - scrollBar_->sizeHint().width()), height());
}

void TableCellsWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    grid_.onPaint(painter, event->rect());
}

void TableCellsWindow::resizeEvent(QResizeEvent*)
{
    const int barWidth = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(width() - barWidth, 0, barWidth, height());
    grid_.onSize();
}

// The frames of selected cells take the focus colour.
void TableCellsWindow::focusInEvent(QFocusEvent*)
{
    update();
}

void TableCellsWindow::focusOutEvent(QFocusEvent*)
{
    update();
}

void TableCellsWindow::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<ui::KeyPress> key = ui::KeyPressFrom(*event)) grid_.onKeyDown(*key);
}

void TableCellsWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    grid_.onLButtonDown(AreaPoint(*event), event->modifiers().testFlag(Qt::ShiftModifier),
                        event->modifiers().testFlag(Qt::ControlModifier));
}

void TableCellsWindow::mouseMoveEvent(QMouseEvent* event)
{
    const bool leftAlone = event->buttons() == Qt::LeftButton &&
                           !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    grid_.onMouseMove(AreaPoint(*event), leftAlone);
}

void TableCellsWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    grid_.onLButtonUp(AreaPoint(*event), event->modifiers().testFlag(Qt::ShiftModifier),
                      event->modifiers().testFlag(Qt::ControlModifier));
}

void TableCellsWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) grid_.onLButtonDoubleClick(AreaPoint(*event));
}

void TableCellsWindow::wheelEvent(QWheelEvent* event)
{
    // The wheel over the cells scrolls them as it would over the scroll bar.
    QApplication::sendEvent(scrollBar_, event);
}

}  // namespace browser
