#pragma once

#include "components/mapview/tool_base.h"

// A click asks for a picture file and adds it to the clicked photo spot, or to a new photo spot
// centred on the click. The addition is one step of undo and marks the document changed, as a
// dropped picture does.
class PLPhotoTool final : public mapview::ToolBase<PLPhotoTool, IPhotoTool, IBaseTool> {
public:
    com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;

private:
    ~PLPhotoTool() override = default;
};
