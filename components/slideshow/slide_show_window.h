#pragma once

#include "components/slideshow/slide_show_drop_target.h"

#include <QWidget>

class PLSlideShowView;
class QPushButton;

namespace slideshow {

// The slide show's window: turns Qt's events into the view's handlers and carries the two buttons.
// It paints everything itself and never erases its background. The advance timer is a timer of
// this window; any timer event it gets is a tick. Owned by its host widget; the view deletes it
// when it goes first.
class SlideShowWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaximizeCommand = 1001;
    static constexpr int kRestoreCommand = 1002;

    SlideShowWindow(PLSlideShowView& view, QWidget& host);

    // "<" while the view is not maximised, ">" while it is.
    void showButtonFor(bool maximized);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PLSlideShowView& view_;
    SlideShowDropTarget dropTarget_;  // takes this window's drag events
    QPushButton* maximizeButton_;
    QPushButton* restoreButton_;
};

}  // namespace slideshow
