#pragma once

#include "components/mapview/tool_base.h"

// A tool that answers every event at once and changes nothing.
class PLBaseTool final : public mapview::ToolBase<PLBaseTool, IBaseTool> {
private:
    ~PLBaseTool() override = default;
};
