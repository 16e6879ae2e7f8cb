#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"

// The control that plays the current photo spot of its document: each picture fitted into the
// window on white for five seconds after it is painted, the spot's sound once, the map picture as a
// thumbnail in the top right corner. It never walks the pictures itself: it asks the spot to move
// its index and loads the picture when the document announces the change, so the host must forward
// every notification of the document to DocumentChanged, or the show does not advance.
//
// Thread: the user-interface thread. Every operation answers S_OK; errors of the document, spot and
// undo calls it makes are ignored.
struct ISlideShowView : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ISlideShowView;
    using Base = com::IDispatch;
    virtual com::HRESULT GetDocument(IDocument** pVal) noexcept = 0;
    virtual com::HRESULT SetDocument(IDocument* newVal) noexcept = 0;
    // Ignored while the view's window is hidden.
    virtual com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeType) noexcept = 0;
    // Starts at the first picture of the document's current spot; the path names the map picture
    // shown in the corner (null for none). Nothing happens without a current spot. E_OUTOFMEMORY
    // when the path cannot be copied.
    virtual com::HRESULT OnSlideShowStart(com::BSTR* inMapFilePath) noexcept = 0;
    // Stops the timer and the sound and raises BroadcastStopSlideShow.
    virtual com::HRESULT StopSlideShow() noexcept = 0;
    // Holds the picture and the sound while the show runs.
    virtual com::HRESULT PauseSlideShow() noexcept = 0;
    // Runs the show again from the current picture; the sound starts again from its beginning.
    virtual com::HRESULT PlaySlideShow() noexcept = 0;
    virtual com::HRESULT NextSlide() noexcept = 0;
    virtual com::HRESULT PreviousSlide() noexcept = 0;
    virtual com::HRESULT GetMaximized(com::LONG* pVal) noexcept = 0;
    // 0 shows the "<" button, any other value the ">" button.
    virtual com::HRESULT PutMaximized(com::LONG newVal) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ISlideShowView*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ISlideShowView::GetDocument, com::kRetval>(1, u"GetDocument"),
        com::Method<&ISlideShowView::SetDocument>(2, u"SetDocument"),
        com::Method<&ISlideShowView::DocumentChanged>(3, u"DocumentChanged"),
        com::Method<&ISlideShowView::OnSlideShowStart>(4, u"OnSlideShowStart"),
        com::Method<&ISlideShowView::StopSlideShow>(5, u"StopSlideShow"),
        com::Method<&ISlideShowView::PauseSlideShow>(6, u"PauseSlideShow"),
        com::Method<&ISlideShowView::PlaySlideShow>(7, u"PlaySlideShow"),
        com::Method<&ISlideShowView::NextSlide>(8, u"NextSlide"),
        com::Method<&ISlideShowView::PreviousSlide>(9, u"PreviousSlide"),
        com::PropertyGet<&ISlideShowView::GetMaximized>(10, u"Maximized"),
        com::PropertyPut<&ISlideShowView::PutMaximized>(10, u"Maximized"),
    };
    return members;
}

// What the slide show view asks of its host. Dispatch-only, no arguments.
enum SlideShowViewEvent : com::DISPID {
    kBroadcastStopSlideShow = 1,  // the show ended: by StopSlideShow, the corner map, Ctrl+F6 / Ctrl+U,
                                  // or after one pass through the pictures
    kSlideShowMaximizeView = 2,   // the "<" button was clicked
    kSlideShowMinimizeView = 3,   // the ">" button was clicked
};

struct _ISlideShowViewEvents : com::IDispatch {
    static constexpr const com::IID& kIid = IID__ISlideShowViewEvents;
    using Base = com::IDispatch;
    virtual com::HRESULT BroadcastStopSlideShow() noexcept = 0;
    virtual com::HRESULT MaximizeView() noexcept = 0;
    virtual com::HRESULT MinimizeView() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const _ISlideShowViewEvents*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&_ISlideShowViewEvents::BroadcastStopSlideShow>(kBroadcastStopSlideShow, u"BroadcastStopSlideShow"),
        com::Method<&_ISlideShowViewEvents::MaximizeView>(kSlideShowMaximizeView, u"MaximizeView"),
        com::Method<&_ISlideShowViewEvents::MinimizeView>(kSlideShowMinimizeView, u"MinimizeView"),
    };
    return members;
}
