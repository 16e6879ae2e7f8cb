#include "components/slideshow/slide_show_bar.h"

#include "components/slideshow/bitmap_button.h"
#include "components/slideshow/button_bitmaps.h"
#include "components/slideshow/pl_slide_show_controller.h"

#include <QPainter>

namespace slideshow {

namespace {

constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 28;
constexpr int kButtonTop = 5;
constexpr int kButtonStep = 45;  // a width and a 5-pixel gap

struct ButtonBitmaps {
    int command;
    int normal;
    int pressed;
    int hover;
};

constexpr std::array<ButtonBitmaps, 4> kRow{{
    {SlideShowBar::kPreviousCommand, 211, 209, 210},
    {SlideShowBar::kPlayCommand, 208, 218, 219},
    {SlideShowBar::kPauseCommand, 217, 215, 216},
    {SlideShowBar::kNextCommand, 214, 212, 213},
}};

}  // namespace

SlideShowBar::SlideShowBar(PLSlideShowController& controller, QWidget& host) : QWidget(&host)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (std::size_t i = 0; i < kRow.size(); ++i) {
        const ButtonBitmaps& entry = kRow[i];
        buttons_[i] = new BitmapButton(*this, entry.command, ButtonBitmap(entry.normal), ButtonBitmap(entry.pressed),
                                       ButtonBitmap(entry.hover));
        connect(buttons_[i], &QAbstractButton::clicked, this,
                [&controller, command = entry.command] { controller.onCommand(command); });
    }
}

BitmapButton& SlideShowBar::button(int command)
{
    for (BitmapButton* candidate : buttons_)
        if (candidate->commandId() == command) return *candidate;
    return *buttons_.front();
}

void SlideShowBar::showButtons(bool shown)
{
    for (BitmapButton* button : buttons_) button->setVisible(shown);
}

void SlideShowBar::latch(int command)
{
    button(kPlayCommand).setLatched(command == kPlayCommand);
    button(kPauseCommand).setLatched(command == kPauseCommand);
}

void SlideShowBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), isEnabled() ? Qt::black : Qt::white);
}

void SlideShowBar::resizeEvent(QResizeEvent*)
{
    const int middle = width() / 2;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setGeometry(middle - 2 * kButtonStep + int(i) * kButtonStep, kButtonTop, kButtonWidth,
                                 kButtonHeight);
}

}  // namespace slideshow
