#pragma once

#include "components/interfaces/document.h"
#include "platform/com/implements.h"

namespace shell {

class WorkspaceView;

// The workspace's listener on its document. The document holds its listeners, so the sink holds no
// reference back to the document, and only a plain pointer to the view, cleared by detach() before
// the view goes.
//
// Thread: the user-interface thread.
class DocumentEventSink final : public com::Implements<DocumentEventSink, _IDocumentEvents> {
public:
    explicit DocumentEventSink(WorkspaceView& view) : view_(&view) {}
    void detach() { view_ = nullptr; }

    com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept override;

private:
    WorkspaceView* view_;
};

}  // namespace shell
