#pragma once

#include <QWidget>

class PLTableCells;
class QScrollBar;

namespace browser {

// The grid's window: turns Qt's events into the grid's handlers and carries the vertical scroll
// bar, which stays shown (disabled) when everything fits. It paints everything itself and never
// erases its background. Owned by its host widget; the grid deletes it when it goes first.
class TableCellsWindow final : public QWidget {
    Q_OBJECT
public:
    TableCellsWindow(PLTableCells& grid, QWidget& host);

    // The part left of the scroll bar.
    QSize clientSize() const;
    QScrollBar& scrollBar() { return *scrollBar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The wheel over the scroll bar scrolls as over the cells.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PLTableCells& grid_;
    QScrollBar* scrollBar_;
    // Wheel turns smaller than a line (fine-grained wheels and touchpads) add up.
    int wheelRemainder_ = 0;
};

}  // namespace browser
