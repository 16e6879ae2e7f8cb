#pragma once

#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"

// The button bar under the slide show: Previous, Play, Pause and Next, centred in a row. It only
// tells its host which button was clicked; Play and Pause latch, the one clicked last stays drawn
// pressed.
//
// Thread: the user-interface thread. Both operations answer S_OK.
struct ISlideShowController : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ISlideShowController;
    using Base = com::IDispatch;
    // Hides the buttons and disables the bar (its ground turns white).
    virtual com::HRESULT Disable() noexcept = 0;
    // Shows the buttons with Play latched, whatever was latched before, and enables the bar.
    virtual com::HRESULT Enable() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ISlideShowController*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ISlideShowController::Disable>(1, u"Disable"),
        com::Method<&ISlideShowController::Enable>(2, u"Enable"),
    };
    return members;
}

// The button clicked. Dispatch-only, no arguments.
enum SlideShowControllerEvent : com::DISPID {
    kBroadcastShowPreviousSlide = 1,
    kBroadcastPlaySlideShow = 2,
    kBroadcastPauseSlideShow = 3,
    kBroadcastShowNextSlide = 4,
};

struct _ISlideShowControllerEvents : com::IDispatch {
    static constexpr const com::IID& kIid = IID__ISlideShowControllerEvents;
    using Base = com::IDispatch;
    virtual com::HRESULT BroadcastShowPreviousSlide() noexcept = 0;
    virtual com::HRESULT BroadcastPlaySlideShow() noexcept = 0;
    virtual com::HRESULT BroadcastPauseSlideShow() noexcept = 0;
    virtual com::HRESULT BroadcastShowNextSlide() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const _ISlideShowControllerEvents*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&_ISlideShowControllerEvents::BroadcastShowPreviousSlide>(kBroadcastShowPreviousSlide,
                                                                             u"BroadcastShowPreviousSlide"),
        com::Method<&_ISlideShowControllerEvents::BroadcastPlaySlideShow>(kBroadcastPlaySlideShow,
                                                                         u"BroadcastPlaySlideShow"),
        com::Method<&_ISlideShowControllerEvents::BroadcastPauseSlideShow>(kBroadcastPauseSlideShow,
                                                                          u"BroadcastPauseSlideShow"),
        com::Method<&_ISlideShowControllerEvents::BroadcastShowNextSlide>(kBroadcastShowNextSlide,
                                                                         u"BroadcastShowNextSlide"),
    };
    return members;
}
