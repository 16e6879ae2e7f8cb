#pragma once

#include <QWidget>

class QLabel;

namespace browser {

// The table control's window: the folder's name in a bordered label 22 pixels high across the top
// (its whole path as the label's tool tip), and under it, from y = 24, the host of the grid's window.
class TableControlWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLabelId = 214;

    explicit TableControlWindow(QWidget& host);

    QLabel& label() { return *label_; }
    QWidget& gridHost() { return *gridHost_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* label_;
    QWidget* gridHost_;
};

}  // namespace browser
