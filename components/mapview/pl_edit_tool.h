#pragma once

#include "components/interfaces/base_tool.h"
#include "components/interfaces/map_view.h"
#include "components/interfaces/tool_palette.h"
#include "platform/com/implements.h"

// Selects a spot with a click, moves it by dragging (from a corner: resizes it), one undo step per
// drag; a double click or Enter opens the spot through the tool palette: its slide show, or its
// linked map. A drag starts once the pointer leaves a 4-pixel square around the press, and what it
// does (move or which corner) is decided at its first step.
//
// Thread: the user-interface thread.
class PLEditTool final : public com::Implements<PLEditTool, IEditTool, IBaseTool> {
public:
    enum class DragMode { None = 0, Move = 1, TopLeft = 2, TopRight = 3, BottomRight = 4, BottomLeft = 5 };

    com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;
    com::HRESULT OnMouseMove(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;
    com::HRESULT LButtonUp(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;
    com::HRESULT LButtonDoubleClick(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept override;
    com::HRESULT SetToolPalette(com::IUnknown* inToolPalette) noexcept override;
    com::HRESULT OnKeyDown(IDocument* inDocPtr, com::IUnknown* inView, com::LONG inKey) noexcept override;

private:
    ~PLEditTool() override = default;

    // The bounds a drag step gives the spot at `r`, the pointer at model point `m`.
    tagRECT dragStep(IMapView& view, const tagRECT& r, tagPOINT m);

    bool pressed_ = false;
    tagPOINT pressPoint_{0, 0};
    bool dragging_ = false;
    DragMode mode_ = DragMode::None;
    tagRECT pressBounds_{0, 0, 0, 0};
    com::ComPtr<IToolPalette> toolPalette_;
};
