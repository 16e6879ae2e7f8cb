#pragma once

#include "components/interfaces/base_tool.h"
#include "platform/com/implements.h"

// A click makes the clicked spot the current spot; nothing else.
class PLBrowseTool final : public com::Implements<PLBrowseTool, IBrowseTool, IBaseTool> {
public:
    com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;
    com::HRESULT OnMouseMove(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonUp(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonDoubleClick(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT SetToolPalette(com::IUnknown*) noexcept override { return com::S_OK; }
    com::HRESULT OnKeyDown(IDocument*, com::IUnknown*, com::LONG) noexcept override { return com::S_OK; }

private:
    ~PLBrowseTool() override = default;
};
