#pragma once

#include "components/mapview/tool_base.h"

// A click makes the clicked spot the current spot; nothing else.
class PLBrowseTool final : public mapview::ToolBase<PLBrowseTool, IBrowseTool, IBaseTool> {
public:
    com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;

private:
    ~PLBrowseTool() override = default;
};
