#include "components/browser/pl_table_cells.h"

#include "components/browser/table_cells_window.h"
#include "components/browser/thumbnail_store.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/ui/cell_height_font.h"
#include "platform/ui/device_context.h"
#include "platform/ui/qt_strings.h"

#include <QDrag>
#include <algorithm>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QUrl>

namespace {

constexpr int kMargin = 4;
constexpr qint64 kSearchPauseMs = 1000;

constexpr char16_t kEmptyFolderText[] =
    u"There are no pictures, sounds, or maps in the current folder.\n\n"
    u"Click the \"Go Up a Folder\" button or the \"Browse For Folder\" button to choose another folder.";

ui::COLORREF ToColorRef(const QColor& colour)
{
    return ui::Rgb(colour.red(), colour.green(), colour.blue());
}

QString FileNameOf(ITableCell& cell)
{
    com::Bstr name;
    cell.GetFileName(name.put());
    return ui::ToQString(name.get());
}

QString LabelOf(ITableCell& cell)
{
    const QString path = FileNameOf(cell);
    return path.mid(path.lastIndexOf(u'/') + 1).toLower();
}

}  // namespace

PLTableCells::PLTableCells() : thumbnails_(browser::ThumbnailStore::Shared()) {}

PLTableCells::~PLTableCells()
{
    delete window_.data();
}

// --- ITableCells ----------------------------------------------------------------------------

com::HRESULT PLTableCells::GetNumCells(std::uint16_t* outNumCells) noexcept
{
    if (!outNumCells) return com::E_POINTER;
    *outNumCells = static_cast<std::uint16_t>(cells_.size());
    return com::S_OK;
}

com::HRESULT PLTableCells::AddCell(ITableCell* inNewCell) noexcept
{
    if (!inNewCell) return com::S_OK;
    return com::Guarded([&] {
        cells_.emplace_back(inNewCell);
        return com::S_OK;
    });
}

com::HRESULT PLTableCells::SetScrollPosition(com::LONG inScrollPosition) noexcept
{
    scrollPosition_ = inScrollPosition;
    return com::S_OK;
}

com::HRESULT PLTableCells::ClearCells() noexcept
{
    cells_.clear();
    thumbnails_->dropPending();
    return com::S_OK;
}

com::HRESULT PLTableCells::SetTableControl(com::IUnknown* inTableControl) noexcept
{
    tableControl_.reset(inTableControl);
    return com::S_OK;
}

com::HRESULT PLTableCells::CellFactoryChanged() noexcept
{
    updateScrollRange();
    scrollTo(0);
    if (window_) window_->setFocus(Qt::OtherFocusReason);
    anchor_ = -1;
    movingEnd_ = -1;
    typeAhead_.clear();
    return com::S_OK;
}

com::HRESULT PLTableCells::RefreshCells(ICellFactory* inCellFactory) noexcept
{
    if (!inCellFactory) return com::E_POINTER;
    return com::Guarded([&] {
        // Cells are told apart by their files.
        const auto fileAt = [&](int index) {
            return index >= 0 && index < count() ? FileNameOf(*cells_[index]) : QString();
        };
        QSet<QString> selected;
        for (int i = 0; i < count(); ++i)
            if (isSelected(i)) selected.insert(FileNameOf(*cells_[i]));
        const QString anchorFile = fileAt(anchor_);
        const QString movingEndFile = fileAt(movingEnd_);

        std::vector<com::ComPtr<ITableCell>> fresh;
        for (;;) {
            com::ComPtr<ITableCell> cell;
            inCellFactory->NextCell(cell.put());
            if (!cell) break;
            fresh.push_back(std::move(cell));
        }
        cells_ = std::move(fresh);
        anchor_ = -1;
        movingEnd_ = -1;
        for (int i = 0; i < count(); ++i) {
            const QString file = FileNameOf(*cells_[i]);
            if (selected.contains(file)) select(i, true);
            if (file == anchorFile) anchor_ = i;
            if (file == movingEndFile) movingEnd_ = i;
        }
        updateScrollRange();
        scrollTo(scrollPosition_);
        return com::S_OK;
    });
}

com::HRESULT PLTableCells::CreateControlWindow(QWidget* host) noexcept
{
    if (!host) return com::E_POINTER;
    if (window_) return com::E_UNEXPECTED;
    return com::Guarded([&] {
        window_ = new browser::TableCellsWindow(*this, *host);
        ui::FillHost(*host, *window_);
        QObject::connect(thumbnails_.get(), &browser::ThumbnailStore::thumbnailReady, window_.data(),
                         qOverload<>(&QWidget::update));
        return com::S_OK;
    });
}

QWidget* PLTableCells::ControlWindow() noexcept
{
    return window_.data();
}

// --- Geometry -------------------------------------------------------------------------------

int PLTableCells::cellWidth() const
{
    return window_ ? window_->clientSize().width() - 2 * kMargin : 0;
}

int PLTableCells::cellHeight() const
{
    return cellWidth() * 3 / 4;
}

tagRECT PLTableCells::cellRect(int index) const
{
    const int top = step() * index - (step() / 4) * scrollPosition_;
    return {kMargin, top, kMargin + cellWidth(), top + cellHeight()};
}

int PLTableCells::cellAt(int y) const
{
    if (step() <= 0) return -1;
    const int index = ((step() / 4) * scrollPosition_ + y) / step();
    return index >= 0 && index < count() ? index : -1;
}

bool PLTableCells::isSelected(int index) const
{
    com::VARIANT_BOOL selected = com::VARIANT_FALSE;
    cells_[index]->GetSelected(&selected);
    return selected != com::VARIANT_FALSE;
}

void PLTableCells::select(int index, bool selected)
{
    cells_[index]->SetSelected(selected ? com::VARIANT_TRUE : com::VARIANT_FALSE);
}

void PLTableCells::selectOnly(int index)
{
    for (int i = 0; i < count(); ++i) select(i, i == index);
}

void PLTableCells::keepRunAround(int index)
{
    int first = index, last = index;
    while (first > 0 && isSelected(first - 1)) --first;
    while (last + 1 < count() && isSelected(last + 1)) ++last;
    for (int i = 0; i < count(); ++i)
        if (i < first || i > last) select(i, false);
}

// --- Scrolling ------------------------------------------------------------------------------

void PLTableCells::updateScrollRange()
{
    if (!window_) return;
    const QSize client = window_->clientSize();
    const int visible = step() > 0 ? static_cast<int>((client.height() / double(step()) - 1.0) * 4.0) : 0;
    // A folder whose cells all fit has nothing to scroll: the range never turns negative.
    scrollMaximum_ = std::max(0, 4 * count() - visible);
    QScrollBar& bar = window_->scrollBar();
    const QSignalBlocker blocker(bar);
    bar.setRange(0, scrollMaximum_);
    bar.setValue(scrollPosition_);
    bar.setEnabled(scrollMaximum_ > 0);
}

void PLTableCells::scrollTo(int position)
{
    position = std::clamp(position, 0, scrollMaximum_);
    if (window_) {
        const QSignalBlocker blocker(window_->scrollBar());
        window_->scrollBar().setValue(position);
    }
    SetScrollPosition(position);
    invalidate();
}

void PLTableCells::scrollIntoView(int index)
{
    if (!window_ || step() <= 0) return;
    const int clientHeight = window_->clientSize().height();
    const int beyondScreen = count() - clientHeight / step();
    // With every cell on screen there is nothing to scroll, but the selection has still changed.
    if (beyondScreen <= 0) {
        invalidate();
        return;
    }
    const int amount = scrollMaximum_ / beyondScreen;
    const tagRECT r = cellRect(index);
    if (r.top < 0) scrollTo(scrollPosition_ - amount);
    else if (r.bottom > clientHeight) scrollTo(scrollPosition_ + amount);
    else invalidate();
}

void PLTableCells::invalidate()
{
    if (window_) window_->update();
}

void PLTableCells::onScroll(int position)
{
    SetScrollPosition(std::max(0, position));
    invalidate();
}

void PLTableCells::onSize()
{
    updateScrollRange();
    invalidate();
}

// --- Painting -------------------------------------------------------------------------------

void PLTableCells::onPaint(QPainter& painter, const QRect& update)
{
    const QSize client = window_->clientSize();
    if (client.isEmpty()) return;
    QImage buffer(client, QImage::Format_RGB32);
    buffer.fill(Qt::white);
    {
        QPainter bufferPainter(&buffer);
        ui::DeviceContext dc(bufferPainter);
        if (cells_.empty()) {
            bufferPainter.setFont(ui::CellHeightFont(QStringLiteral("Arial"), 16));
            bufferPainter.setPen(Qt::black);
            bufferPainter.drawText(QRect(QPoint(kMargin, kMargin), QPoint(client.width() - 3, client.height() - 1)),
                                   Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, QString::fromUtf16(kEmptyFolderText));
        } else {
            thumbnails_->beginPaint();
            const QPalette& palette = window_->palette();
            const bool focused = window_->hasFocus();
            // Holds the cells: a cell may call back into the host while it draws.
            const std::vector<com::ComPtr<ITableCell>> cells = cells_;
            for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
                tagRECT r = cellRect(i);
                // Every cell that reaches into the update, also one that spans it from top to bottom.
                if (r.bottom < update.top() || r.top > update.bottom() + 1) continue;
                cells[i]->DrawCell(&dc, &r);
                const QColor frame = !isSelected(i) ? palette.color(QPalette::Window)
                                     : focused      ? palette.color(QPalette::Highlight)
                                                    : palette.color(QPalette::Button);
                const ui::GdiPen oldPen = dc.selectPen({ToColorRef(frame), 4});
                const ui::GdiBrush oldBrush = dc.selectBrush({ui::Rgb(255, 255, 255), true});
                dc.rectangle(r.left, r.top, r.right, r.bottom);
                dc.selectPen(oldPen);
                dc.selectBrush(oldBrush);
            }
        }
    }
    painter.drawImage(0, 0, buffer);
}

// --- Mouse ----------------------------------------------------------------------------------

void PLTableCells::onLButtonDown(tagPOINT point, bool shift, bool control)
{
    dragged_ = false;
    movingEnd_ = -1;
    if (cells_.empty()) return;
    mouseDown_ = true;
    const int index = cellAt(point.y);
    if (index < 0) return;
    if (shift) {
        const int from = anchor_ >= 0 ? anchor_ : index;
        for (int i = 0; i < count(); ++i) select(i, i >= std::min(from, index) && i <= std::max(from, index));
    } else if (control) {
        select(index, !isSelected(index));
        anchor_ = index;
    } else {
        if (!isSelected(index)) selectOnly(index);
        anchor_ = index;
    }
    invalidate();
}

void PLTableCells::onLButtonUp(tagPOINT point, bool shift, bool control)
{
    if (doubleClicked_) {
        doubleClicked_ = false;
        return;
    }
    const int index = cellAt(point.y);
    if (index < 0 || dragged_ || shift || control) return;
    bool othersSelected = false;
    for (int i = 0; i < count(); ++i) othersSelected = othersSelected || (i != index && isSelected(i));
    if (!othersSelected) return;
    selectOnly(index);
    invalidate();
}

void PLTableCells::onLButtonDoubleClick(tagPOINT point)
{
    doubleClicked_ = true;
    const int index = cellAt(point.y);
    if (index >= 0) open(index);
}

void PLTableCells::onMouseMove(tagPOINT point, bool leftAlone)
{
    if (!mouseDown_ || !leftAlone) return;
    dragged_ = true;
    const int index = cellAt(point.y);
    if (index < 0) return;
    com::LONG type = 0;
    cells_[index]->GetFileType(&type);
    if (type != kFileTypeOther) startDrag(index, point);
}

void PLTableCells::startDrag(int index, tagPOINT point)
{
    // The drag loop runs events: the grid and its cells stay alive until it returns.
    const com::ComPtr<ITableCells> self(this);
    const std::vector<com::ComPtr<ITableCell>> cells = cells_;
    const int first = index > 0 && isSelected(index - 1) ? index - 1 : index;
    const int last = index + 1 < count() && isSelected(index + 1) ? index + 1 : index;
    QImage strip(cellWidth(), (last - first) * step() + cellHeight(), QImage::Format_RGB32);
    strip.fill(Qt::white);
    {
        QPainter stripPainter(&strip);
        ui::DeviceContext dc(stripPainter);
        for (int i = first; i <= last; ++i) {
            tagRECT r{0, (i - first) * step(), cellWidth(), (i - first) * step() + cellHeight()};
            cells[i]->DrawCell(&dc, &r);
        }
    }
    QList<QUrl> urls;
    for (int i = 0; i < static_cast<int>(cells.size()); ++i)
        if (isSelected(i)) urls.push_back(QUrl::fromLocalFile(FileNameOf(*cells[i])));

    auto* data = new QMimeData;
    data->setUrls(urls);
    data->setImageData(strip);
    QDrag* drag = new QDrag(window_.data());
    drag->setMimeData(data);
    drag->setPixmap(QPixmap::fromImage(strip));
    drag->setHotSpot(QPoint(point.x - kMargin, point.y - cellRect(first).top));
    drag->exec(Qt::CopyAction | Qt::LinkAction);
    mouseDown_ = false;
}

void PLTableCells::open(int index)
{
    const com::ComPtr<ITableCell> cell = cells_[index];
    const auto control = tableControl();
    if (!control) return;
    com::VARIANT_BOOL isDirectory = com::VARIANT_FALSE;
    cell->GetIsDirectory(&isDirectory);
    com::Bstr name;
    cell->GetFileName(name.put());
    if (isDirectory == com::VARIANT_FALSE) {
        com::BSTR file = name.get();
        control->OnFileSelected(&file);
        return;
    }
    com::ComPtr<IImageCellFactory> factory;
    if (com::FAILED(com::CreateInstance(CLSID_PLImageCellFactory, factory))) return;
    factory->SetDirectory(name.get());
    control->SetCellFactory(factory.as<ICellFactory>().get());
}

com::ComPtr<ITableControl> PLTableCells::tableControl() const
{
    return tableControl_.lock();
}

// --- Keyboard -------------------------------------------------------------------------------

void PLTableCells::onKeyDown(const ui::KeyPress& key)
{
    if (cells_.empty()) return;
    const long vk = key.virtualKey;
    if (key.control && (vk == 'U' || vk == ui::kVkF6)) {
        if (const auto control = tableControl()) control->GoUp();
    } else if (key.control && (vk == 'B' || vk == ui::kVkNumpad0 + 2)) {
        if (const auto control = tableControl()) control->Browse();
    } else if (key.control && (vk == 'A' || vk == ui::kVkNumpad0 + 1)) {
        for (int i = 0; i < count(); ++i) select(i, true);
        invalidate();
    } else if (vk == ui::kVkDown) {
        moveDown(key.shift);
    } else if (vk == ui::kVkUp) {
        moveUp(key.shift);
    } else if (vk == ui::kVkReturn) {
        if (anchor_ >= 0 && anchor_ < count()) open(anchor_);
    } else if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || vk == ui::kVkSpace) {
        search(QChar(char16_t(vk)).toLower().unicode());
    } else if (vk >= ui::kVkNumpad0 && vk <= ui::kVkNumpad0 + 9) {
        search(char16_t('0' + (vk - ui::kVkNumpad0)));
    }
}

void PLTableCells::moveDown(bool shift)
{
    if (shift) {
        if (anchor_ < 0) {
            anchor_ = 0;
            return;
        }
        extend(+1);
        return;
    }
    if (movingEnd_ > 0) anchor_ = movingEnd_;
    if (anchor_ >= count() - 1) return;
    ++anchor_;
    movingEnd_ = anchor_;
    selectOnly(anchor_);
    scrollIntoView(movingEnd_);
}

void PLTableCells::moveUp(bool shift)
{
    if (anchor_ < 0) return;
    if (shift) {
        extend(-1);
        return;
    }
    if (movingEnd_ <= 0 && anchor_ <= 0) return;
    if (movingEnd_ >= 0) anchor_ = movingEnd_;
    else movingEnd_ = anchor_;
    if (anchor_ <= 0) return;
    --anchor_;
    movingEnd_ = anchor_;
    selectOnly(anchor_);
    scrollIntoView(movingEnd_);
}

void PLTableCells::extend(int direction)
{
    if (movingEnd_ < 0) movingEnd_ = anchor_;
    const int next = movingEnd_ + direction;
    if (next < 0 || next >= count()) return;
    const int left = movingEnd_;
    movingEnd_ = next;
    // Moving back into the block shrinks it.
    if (isSelected(left) && isSelected(next)) select(left, false);
    select(next, true);
    keepRunAround(movingEnd_);
    scrollIntoView(movingEnd_);
}

void PLTableCells::search(char16_t c)
{
    movingEnd_ = -1;
    if (!typeAhead_.isEmpty() && c == typeAhead_[0] && anchor_ < count() - 1 &&
        LabelOf(*cells_[anchor_ + 1]).startsWith(QChar(c))) {
        choose(anchor_ + 1);
        return;
    }
    int start = anchor_;
    if (!lastKeystroke_ || lastKeystroke_->elapsed() > kSearchPauseMs) {
        typeAhead_.clear();
        start = -1;
    }
    lastKeystroke_.emplace();
    lastKeystroke_->start();
    typeAhead_ += QChar(c);
    const int n = typeAhead_.size();
    if (start >= count()) return;
    if (start >= 0) {
        const QString startLabel = LabelOf(*cells_[start]);
        if (startLabel.size() < n || startLabel[n - 1] == QChar(c)) return;
    }
    for (int i = start + 1; i < count(); ++i) {
        const QString label = LabelOf(*cells_[i]);
        if (label.size() < n) return;
        for (int k = 0; k < n; ++k)
            if (label[k] > typeAhead_[k]) return;
        if (label[n - 1] == QChar(c)) {
            choose(i);
            return;
        }
    }
}

void PLTableCells::choose(int index)
{
    selectOnly(index);
    anchor_ = index;
    scrollTo(count() > 0 ? scrollMaximum_ * index / count() : 0);
}
