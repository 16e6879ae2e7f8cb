#pragma once

#include "components/interfaces/base_tool.h"
#include "platform/com/implements.h"

// A tool that answers every event at once and changes nothing.
class PLBaseTool final : public com::Implements<PLBaseTool, IBaseTool> {
public:
    com::HRESULT LButtonDown(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT OnMouseMove(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonUp(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonDoubleClick(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT SetToolPalette(com::IUnknown*) noexcept override { return com::S_OK; }
    com::HRESULT OnKeyDown(IDocument*, com::IUnknown*, com::LONG) noexcept override { return com::S_OK; }

private:
    ~PLBaseTool() override = default;
};
