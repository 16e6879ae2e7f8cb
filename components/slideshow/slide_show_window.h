#pragma once

#include "components/slideshow/slide_show_drop_target.h"
#include "platform/ui/maximize_buttons.h"

#include <QWidget>

class PLSlideShowView;

namespace slideshow {

// The slide show's window: turns Qt's events into the view's handlers and carries the two buttons.
// It paints everything itself and never erases its background. The advance timer is a timer of
// this window; the view tells its ticks from other timer events by their id. Owned by its host
// widget; the view deletes it when it goes first.
class SlideShowWindow final : public QWidget {
    Q_OBJECT
public:
    SlideShowWindow(PLSlideShowView& view, QWidget& host);

    // "<" while the view is not maximised, ">" while it is.
    void showButtonFor(bool maximized) { buttons_.showFor(maximized); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PLSlideShowView& view_;
    SlideShowDropTarget dropTarget_;  // takes this window's drag events
    ui::MaximizeButtons buttons_;
};

}  // namespace slideshow
