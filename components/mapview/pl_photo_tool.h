#pragma once

#include "components/interfaces/base_tool.h"
#include "platform/com/implements.h"

// A click asks for a picture file and adds it to the clicked photo spot, or to a new photo spot
// centred on the click. The addition is one step of undo and marks the document changed, as a
// dropped picture does.
class PLPhotoTool final : public com::Implements<PLPhotoTool, IPhotoTool, IBaseTool> {
public:
    com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;
    com::HRESULT OnMouseMove(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonUp(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonDoubleClick(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT SetToolPalette(com::IUnknown*) noexcept override { return com::S_OK; }
    com::HRESULT OnKeyDown(IDocument*, com::IUnknown*, com::LONG) noexcept override { return com::S_OK; }

private:
    ~PLPhotoTool() override = default;
};
