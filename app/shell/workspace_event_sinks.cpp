#include "app/shell/workspace_event_sinks.h"

#include "app/shell/workspace_view.h"
#include "platform/ui/qt_strings.h"

namespace shell {

namespace {

QString text(com::BSTR* value)
{
    return value ? ui::ToQString(*value) : QString();
}

}  // namespace

com::HRESULT DocumentEventSink::DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept
{
    if (view_) view_->onDocumentChanged(pUnknown, changeFlags);
    return com::S_OK;
}

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

com::HRESULT ToolPaletteEventSink::ToolChanged() noexcept
{
    if (view_) view_->HandOverCurrentTool();
    return com::S_OK;
}

com::HRESULT ToolPaletteEventSink::BroadcastStartSlideShow() noexcept
{
    if (view_) view_->StartSlideShow();
    return com::S_OK;
}

com::HRESULT ToolPaletteEventSink::BroadcastOpenMap(com::BSTR* inMapFilename) noexcept
{
    if (view_) view_->GoToLinkedMap(text(inMapFilename));
    return com::S_OK;
}

com::HRESULT ToolPaletteEventSink::BroadcastFileSelected(com::BSTR* fileName) noexcept
{
    if (view_) view_->ActivateFile(text(fileName));
    return com::S_OK;
}

com::HRESULT ToolPaletteEventSink::BroadcastUseAsMapPicture(com::BSTR* fileName) noexcept
{
    if (view_) view_->UseAsMapPicture(text(fileName));
    return com::S_OK;
}

com::HRESULT SlideShowViewEventSink::BroadcastStopSlideShow() noexcept
{
    if (view_) view_->StopSlideShow();
    return com::S_OK;
}

com::HRESULT SlideShowViewEventSink::MaximizeView() noexcept
{
    if (view_) view_->Maximize();
    return com::S_OK;
}

com::HRESULT SlideShowViewEventSink::MinimizeView() noexcept
{
    if (view_) view_->Restore();
    return com::S_OK;
}

com::HRESULT SlideShowControllerEventSink::BroadcastShowPreviousSlide() noexcept
{
    if (view_) view_->StepSlideShow(&ISlideShowView::PreviousSlide);
    return com::S_OK;
}

com::HRESULT SlideShowControllerEventSink::BroadcastPlaySlideShow() noexcept
{
    if (view_) view_->StepSlideShow(&ISlideShowView::PlaySlideShow);
    return com::S_OK;
}

com::HRESULT SlideShowControllerEventSink::BroadcastPauseSlideShow() noexcept
{
    if (view_) view_->StepSlideShow(&ISlideShowView::PauseSlideShow);
    return com::S_OK;
}

com::HRESULT SlideShowControllerEventSink::BroadcastShowNextSlide() noexcept
{
    if (view_) view_->StepSlideShow(&ISlideShowView::NextSlide);
    return com::S_OK;
}

}  // namespace shell
