#pragma once

#include "components/browser/cell_refresh.h"
#include "components/interfaces/table_cells.h"
#include "components/interfaces/table_control.h"
#include "platform/com/implements.h"
#include "platform/com/weak_reference.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/key_codes.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace browser {
class TableCellsWindow;
class ThumbnailStore;
}

// The file browser's grid: one column of cells, each 8 pixels narrower than the window and three
// quarters as high as wide, scrolled in quarter steps of a cell and its gap. The user selects cells
// with the mouse and the arrow keys, finds one by typing its name, opens a folder or hands a file to
// the host with a double click or Enter, and drags files out (as a text/uri-list with a picture of
// the dragged cells). Its window (TableCellsWindow) only translates Qt's events into the handlers
// below.
//
// Thread: the user-interface thread. Opening a folder replaces every cell from inside a handler:
// handlers hold the cells they work on.
class PLTableCells final
    : public com::Implements<PLTableCells, ITableCells, ui::IHostedControl, ICellRefresh> {
public:
    PLTableCells();

    com::HRESULT GetNumCells(std::uint16_t* outNumCells) noexcept override;
    com::HRESULT AddCell(ITableCell* inNewCell) noexcept override;
    com::HRESULT SetScrollPosition(com::LONG inScrollPosition) noexcept override;
    com::HRESULT ClearCells() noexcept override;
    // Held weakly: the table control holds the grid.
    com::HRESULT SetTableControl(com::IUnknown* inTableControl) noexcept override;
    com::HRESULT CellFactoryChanged() noexcept override;

    com::HRESULT RefreshCells(ICellFactory* inCellFactory) noexcept override;

    com::HRESULT CreateControlWindow(QWidget* host) noexcept override;
    QWidget* ControlWindow() noexcept override;

    // The window's messages, as TableCellsWindow translates them. Points are client coordinates.
    void onPaint(QPainter& painter, const QRect& update);
    void onSize();
    void onScroll(int position);
    void onKeyDown(const ui::KeyPress& key);
    void onLButtonDown(tagPOINT point, bool shift, bool control);
    // `leftAlone`: the left button is the only button held, without Shift or Ctrl.
    void onMouseMove(tagPOINT point, bool leftAlone);
    void onLButtonUp(tagPOINT point, bool shift, bool control);
    void onLButtonDoubleClick(tagPOINT point);

private:
    ~PLTableCells() override;

    int count() const { return static_cast<int>(cells_.size()); }
    int cellWidth() const;
    int cellHeight() const;
    int step() const { return cellHeight() + 8; }
    tagRECT cellRect(int index) const;
    // The cell at ordinate y, or -1 beyond the last.
    int cellAt(int y) const;
    bool isSelected(int index) const;
    void select(int index, bool selected);
    void selectOnly(int index);
    void keepRunAround(int index);

    void updateScrollRange();
    void scrollTo(int position);
    void scrollIntoView(int index);
    void invalidate();

    void open(int index);
    void startDrag(int index, tagPOINT point);
    void moveDown(bool shift);
    void moveUp(bool shift);
    void extend(int direction);
    void search(char16_t c);
    void choose(int index);
    com::ComPtr<ITableControl> tableControl() const;

    std::vector<com::ComPtr<ITableCell>> cells_;
    com::LONG scrollPosition_ = 0;
    int scrollMaximum_ = 0;
    int anchor_ = -1;
    int movingEnd_ = -1;
    bool mouseDown_ = false;
    bool dragged_ = false;
    bool doubleClicked_ = false;
    QString typeAhead_;
    std::optional<QElapsedTimer> lastKeystroke_;
    com::WeakPtr<ITableControl> tableControl_;
    std::shared_ptr<browser::ThumbnailStore> thumbnails_;
    QPointer<browser::TableCellsWindow> window_;
};
