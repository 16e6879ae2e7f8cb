#include "app/shell/map_view_event_sink.h"

#include "app/shell/workspace_view.h"
#include "platform/ui/qt_strings.h"

namespace shell {

namespace {
QString text(com::BSTR* value)
{
    return value ? ui::ToQString(*value) : QString();
}
}  // namespace

com::HRESULT MapViewEventSink::BroadcastZoomOut(com::BSTR* inMapFilename) noexcept
{
    if (view_) view_->ZoomOut(text(inMapFilename));
    return com::S_OK;
}

com::HRESULT MapViewEventSink::OpenMapFile(com::BSTR* inFileName) noexcept
{
    if (view_) view_->ActivateFile(text(inFileName));
    return com::S_OK;
}

com::HRESULT MapViewEventSink::MaximizeView() noexcept
{
    if (view_) view_->Maximize();
    return com::S_OK;
}

com::HRESULT MapViewEventSink::MinimizeView() noexcept
{
    if (view_) view_->Restore();
    return com::S_OK;
}

}  // namespace shell
