#include "components/browser/table_cells_window.h"

#include "components/browser/pl_table_cells.h"

#include <QApplication>
#include <QContextMenuEvent>
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
    scrollBar_->installEventFilter(this);
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
    // A notch of the wheel (120 eighths of a degree) is the desktop's number of lines, each a
    // quarter step: the scroll bar's own page of one quarter step would crawl.
    constexpr int kNotch = 120;
    wheelRemainder_ += event->angleDelta().y() * QApplication::wheelScrollLines();
    const int lines = wheelRemainder_ / kNotch;
    wheelRemainder_ -= lines * kNotch;
    grid_.onWheel(lines);
}

bool TableCellsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != scrollBar_ || event->type() != QEvent::Wheel) return QWidget::eventFilter(watched, event);
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
}

void TableCellsWindow::contextMenuEvent(QContextMenuEvent* event)
{
    grid_.onContextMenu({event->pos().x(), event->pos().y()}, event->globalPos());
}

}  // namespace browser
