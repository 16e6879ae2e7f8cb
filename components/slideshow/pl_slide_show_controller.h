#pragma once

#include "components/interfaces/slide_show_controller.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "platform/ui/hosted_control.h"

#include <QPointer>

namespace slideshow {
class SlideShowBar;
}

// The button bar under the slide show. It does nothing itself but tell its host which button was
// clicked. Made with all four buttons shown and nothing latched; the host disables it until a show
// starts.
//
// Thread: the user-interface thread. Events reach the host synchronously from inside a click; the
// host may drop its reference to the controller while handling them.
class PLSlideShowController final
    : public com::Implements<PLSlideShowController, ISlideShowController,
                             com::EventSource<_ISlideShowControllerEvents>, ui::IHostedControl> {
public:
    PLSlideShowController() = default;

    com::HRESULT Disable() noexcept override;
    com::HRESULT Enable() noexcept override;

    com::HRESULT CreateControlWindow(QWidget* host) noexcept override;
    QWidget* ControlWindow() noexcept override;

    // A click on the button of that command id.
    void onCommand(int command);

private:
    ~PLSlideShowController() override;

    QPointer<slideshow::SlideShowBar> bar_;
};
