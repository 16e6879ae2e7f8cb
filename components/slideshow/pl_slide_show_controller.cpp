#include "components/slideshow/pl_slide_show_controller.h"

#include "components/slideshow/slide_show_bar.h"

using slideshow::SlideShowBar;

PLSlideShowController::~PLSlideShowController()
{
    delete bar_.data();
}

com::HRESULT PLSlideShowController::Disable() noexcept
{
    if (bar_) {
        bar_->showButtons(false);
        bar_->update();
        bar_->setEnabled(false);
    }
    return com::S_OK;
}

com::HRESULT PLSlideShowController::Enable() noexcept
{
    if (bar_) {
        bar_->showButtons(true);
        bar_->latch(SlideShowBar::kPlayCommand);
        bar_->update();
        bar_->setEnabled(true);
    }
    return com::S_OK;
}

com::HRESULT PLSlideShowController::CreateControlWindow(QWidget* host) noexcept
{
    if (!host) return com::E_POINTER;
    if (bar_) return com::E_UNEXPECTED;
    return com::Guarded([&] {
        bar_ = new SlideShowBar(*this, *host);
        ui::FillHost(*host, *bar_);
        return com::S_OK;
    });
}

QWidget* PLSlideShowController::ControlWindow() noexcept
{
    return bar_.data();
}

void PLSlideShowController::onCommand(int command)
{
    com::ComPtr<PLSlideShowController> self(this);
    switch (command) {
    case SlideShowBar::kPreviousCommand:
        Fire(kBroadcastShowPreviousSlide);
        break;
    case SlideShowBar::kPlayCommand:
        bar_->latch(command);
        Fire(kBroadcastPlaySlideShow);
        break;
    case SlideShowBar::kPauseCommand:
        bar_->latch(command);
        Fire(kBroadcastPauseSlideShow);
        break;
    case SlideShowBar::kNextCommand:
        Fire(kBroadcastShowNextSlide);
        break;
    default:
        break;
    }
}
