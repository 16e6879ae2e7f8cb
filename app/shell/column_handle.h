#pragma once

#include <QWidget>
#include <optional>

namespace shell {

// The splitter between the file browser's column and the map: a strip over the gap between them
// that the user drags to make the column wider or narrower. It draws nothing: the gap and the
// edges beside it show through.
//
// Thread: the user-interface thread.
class ColumnHandle final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 6;

    explicit ColumnHandle(QWidget& parent);

    // Over the gap that begins at `columnWidth`, the whole height of the parent.
    void placeAt(int columnWidth);

signals:
    // While dragging: where the column's right edge is to be, in the parent's coordinates.
    void moved(int columnWidth);
    // The drag is over.
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // How far right of the column's edge the drag took hold.
    std::optional<int> grip_;
    int columnWidth_ = 0;
};

}  // namespace shell
