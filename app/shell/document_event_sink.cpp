#include "app/shell/document_event_sink.h"

#include "app/shell/workspace_view.h"

namespace shell {

com::HRESULT DocumentEventSink::DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept
{
    if (view_) view_->onDocumentChanged(pUnknown, changeFlags);
    return com::S_OK;
}

}  // namespace shell
