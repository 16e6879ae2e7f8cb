#pragma once

#include "components/interfaces/base_tool.h"
#include "platform/com/implements.h"

namespace mapview {

// A tool's class with every handler answering at once; each tool overrides the handlers it acts on.
template <class Derived, class... Interfaces>
class ToolBase : public com::Implements<Derived, Interfaces...> {
public:
    com::HRESULT LButtonDown(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT OnMouseMove(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonUp(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT LButtonDoubleClick(IDocument*, com::IUnknown*, tagPOINT*) noexcept override { return com::S_OK; }
    com::HRESULT SetToolPalette(com::IUnknown*) noexcept override { return com::S_OK; }
    com::HRESULT OnKeyDown(IDocument*, com::IUnknown*, com::LONG) noexcept override { return com::S_OK; }

protected:
    ~ToolBase() override = default;
};

}  // namespace mapview
