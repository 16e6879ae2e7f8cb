#pragma once

#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"

// What the mouse and the keyboard do on the map. The map view hands every mouse event, and every
// key it does not handle itself, to its current tool. Points are area (window) coordinates;
// inView is the map view (its IMapView with mouse events, its IUnknown with keys), and a tool
// given a view without IMapView does nothing. Every operation answers S_OK.
struct IBaseTool : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IBaseTool;
    using Base = com::IDispatch;
    virtual com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept = 0;
    virtual com::HRESULT OnMouseMove(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept = 0;
    virtual com::HRESULT LButtonUp(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept = 0;
    virtual com::HRESULT LButtonDoubleClick(IDocument* inDocPtr, com::IUnknown* inView, tagPOINT* inPoint) noexcept = 0;
    // Only the edit tool keeps the palette, to start slide shows and open linked maps.
    virtual com::HRESULT SetToolPalette(com::IUnknown* inToolPalette) noexcept = 0;
    // inKey: a virtual-key code.
    virtual com::HRESULT OnKeyDown(IDocument* inDocPtr, com::IUnknown* inView, com::LONG inKey) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IBaseTool*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IBaseTool::LButtonDown>(1, u"LButtonDown"),
        com::Method<&IBaseTool::OnMouseMove>(2, u"OnMouseMove"),
        com::Method<&IBaseTool::LButtonUp>(3, u"LButtonUp"),
        com::Method<&IBaseTool::LButtonDoubleClick>(4, u"LButtonDoubleClick"),
        com::Method<&IBaseTool::SetToolPalette>(5, u"SetToolPalette"),
        com::Method<&IBaseTool::OnKeyDown>(6, u"OnKeyDown"),
    };
    return members;
}

// A click makes the clicked spot current, nothing more. No operations of its own.
struct IBrowseTool : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IBrowseTool;
    using Base = com::IDispatch;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IBrowseTool*)
{
    return {};
}

// Selects, moves and resizes spots, and opens them. No operations of its own.
struct IEditTool : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IEditTool;
    using Base = com::IDispatch;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IEditTool*)
{
    return {};
}

// Asks for a picture and adds it to the clicked photo spot or a new one. Its LButtonDown is the
// tool's own.
struct IPhotoTool : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IPhotoTool;
    using Base = com::IDispatch;
    virtual com::HRESULT LButtonDown(IDocument* inDocPtr, com::IUnknown* inMapView, tagPOINT* inPoint) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IPhotoTool*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IPhotoTool::LButtonDown>(1, u"LButtonDown"),
    };
    return members;
}
