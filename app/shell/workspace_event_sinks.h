#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/map_view.h"
#include "components/interfaces/slide_show_controller.h"
#include "components/interfaces/slide_show_view.h"
#include "components/interfaces/tool_palette.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"

namespace shell {

class WorkspaceView;

// The workspace's listeners on its document and its controls, one per event interface. A source
// holds its listeners, so a listener holds no reference back to it, and only a plain pointer to the
// view, cleared when the view goes (events arriving later find nobody to tell).
//
// Thread: the user-interface thread.
template <class Derived, class Events>
class WorkspaceEventSink : public com::Implements<Derived, Events> {
public:
    explicit WorkspaceEventSink(WorkspaceView& view) : view_(&view) {}
    void detach() { view_ = nullptr; }

protected:
    WorkspaceView* view_;
};

class DocumentEventSink final : public WorkspaceEventSink<DocumentEventSink, _IDocumentEvents> {
public:
    using WorkspaceEventSink::WorkspaceEventSink;
    com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept override;
};

// RequestMapFilename is not subscribed: it answers without acting.
class MapViewEventSink final : public WorkspaceEventSink<MapViewEventSink, _IMapViewEvents> {
public:
    using WorkspaceEventSink::WorkspaceEventSink;
    com::HRESULT RequestMapFilename() noexcept override { return com::S_OK; }
    com::HRESULT BroadcastZoomOut(com::BSTR* inMapFilename) noexcept override;
    com::HRESULT OpenMapFile(com::BSTR* inFileName) noexcept override;
    com::HRESULT MaximizeView() noexcept override;
    com::HRESULT MinimizeView() noexcept override;
};

class ToolPaletteEventSink final : public WorkspaceEventSink<ToolPaletteEventSink, _IToolPaletteEvents> {
public:
    using WorkspaceEventSink::WorkspaceEventSink;
    com::HRESULT ToolChanged() noexcept override;
    com::HRESULT BroadcastStartSlideShow() noexcept override;
    com::HRESULT BroadcastOpenMap(com::BSTR* inMapFilename) noexcept override;
    com::HRESULT BroadcastFileSelected(com::BSTR* fileName) noexcept override;
    com::HRESULT BroadcastUseAsMapPicture(com::BSTR* fileName) noexcept override;
};

class SlideShowViewEventSink final : public WorkspaceEventSink<SlideShowViewEventSink, _ISlideShowViewEvents> {
public:
    using WorkspaceEventSink::WorkspaceEventSink;
    com::HRESULT BroadcastStopSlideShow() noexcept override;
    com::HRESULT MaximizeView() noexcept override;
    com::HRESULT MinimizeView() noexcept override;
};

class SlideShowControllerEventSink final
    : public WorkspaceEventSink<SlideShowControllerEventSink, _ISlideShowControllerEvents> {
public:
    using WorkspaceEventSink::WorkspaceEventSink;
    com::HRESULT BroadcastShowPreviousSlide() noexcept override;
    com::HRESULT BroadcastPlaySlideShow() noexcept override;
    com::HRESULT BroadcastPauseSlideShow() noexcept override;
    com::HRESULT BroadcastShowNextSlide() noexcept override;
};

// One listener joined to one source for as long as both live: when it goes, the listener stops
// telling the view and leaves the source.
template <class Sink, class Events>
class EventSubscription {
public:
    EventSubscription() = default;
    EventSubscription(const EventSubscription&) = delete;
    EventSubscription& operator=(const EventSubscription&) = delete;
    ~EventSubscription()
    {
        if (sink_) sink_->detach();
    }

    // Joins a new listener for `view` to `source`, or to another source after a first one.
    void connect(com::IUnknown* source, WorkspaceView& view)
    {
        if (!sink_) sink_ = com::Make<Sink>(view);
        connection_.connect(source, sink_->identity());
    }
    void disconnect() { connection_.disconnect(); }

private:
    com::ComPtr<Sink> sink_;
    com::EventConnection<Events> connection_;
};

}  // namespace shell
