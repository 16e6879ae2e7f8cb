#pragma once

#include <QWidget>
#include <array>

class PLSlideShowController;

namespace slideshow {

class BitmapButton;

// The controller's window: the four picture buttons centred in a row on a black ground (white while
// the bar is disabled). Clicks go to the controller as command ids. Owned by its host widget; the
// controller deletes it when it goes first.
class SlideShowBar final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPlayCommand = 207;
    static constexpr int kPauseCommand = 208;
    static constexpr int kPreviousCommand = 209;
    static constexpr int kNextCommand = 210;

    SlideShowBar(PLSlideShowController& controller, QWidget& host);

    void showButtons(bool shown);
    // Play or Pause stays drawn pressed; the other of the two is released.
    void latch(int command);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    BitmapButton& button(int command);

    // Previous, Play, Pause, Next: their order in the row.
    std::array<BitmapButton*, 4> buttons_;
};

}  // namespace slideshow
