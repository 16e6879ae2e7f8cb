#pragma once

#include "components/interfaces/map_view.h"
#include "platform/com/implements.h"

namespace shell {

class WorkspaceView;

// The workspace's listener on its map view. Holds only a plain pointer to the view, cleared by
// detach() before the view goes. RequestMapFilename is not subscribed: it answers without acting.
//
// Thread: the user-interface thread.
class MapViewEventSink final : public com::Implements<MapViewEventSink, _IMapViewEvents> {
public:
    explicit MapViewEventSink(WorkspaceView& view) : view_(&view) {}
    void detach() { view_ = nullptr; }

    com::HRESULT RequestMapFilename() noexcept override { return com::S_OK; }
    com::HRESULT BroadcastZoomOut(com::BSTR* inMapFilename) noexcept override;
    com::HRESULT OpenMapFile(com::BSTR* inFileName) noexcept override;
    com::HRESULT MaximizeView() noexcept override;
    com::HRESULT MinimizeView() noexcept override;

private:
    WorkspaceView* view_;
};

}  // namespace shell
