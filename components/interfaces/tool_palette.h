#pragma once

#include "components/interfaces/base_tool.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/table_control.h"
#include "platform/com/dispatch_table.h"

// The button bar above the file browser. It holds the current tool, drives the file browser's
// folder buttons, and is where tools and the browser ask the host for what they cannot do
// themselves: each such call fires an event the host handles before the call returns.
// Every operation answers S_OK.
struct IToolPalette : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IToolPalette;
    using Base = com::IDispatch;
    virtual com::HRESULT GetCurrentTool(IBaseTool** pVal) noexcept = 0;
    // Also hands the palette to the table control.
    virtual com::HRESULT SetTableControl(ITableControl* inTableControl) noexcept = 0;
    virtual com::HRESULT StartSlideShow() noexcept = 0;
    // The caller's string pointer reaches every listener unchanged.
    virtual com::HRESULT OpenMap(com::BSTR* inFileName) noexcept = 0;
    virtual com::HRESULT GetTableControl(ITableControl** outTableControl) noexcept = 0;
    virtual com::HRESULT FileSelected(com::BSTR* inFileName) noexcept = 0;
    virtual com::HRESULT EnableUpBtn(com::LONG inEnable) noexcept = 0;
    // Both are outputs, though the type library declares them [in].
    virtual com::HRESULT GetBestSize(com::LONG* outBestX, com::LONG* outBestY) noexcept = 0;
    virtual com::HRESULT Browse() noexcept = 0;
    // The picture is to become the open map's picture.
    virtual com::HRESULT UseAsMapPicture(com::BSTR* inFileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IToolPalette*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IToolPalette::GetCurrentTool, com::kRetval>(1, u"GetCurrentTool"),
        com::Method<&IToolPalette::SetTableControl>(2, u"SetTableControl"),
        com::Method<&IToolPalette::StartSlideShow>(3, u"StartSlideShow"),
        com::Method<&IToolPalette::OpenMap>(4, u"OpenMap"),
        com::Method<&IToolPalette::GetTableControl, com::kRetval>(5, u"GetTableControl"),
        com::Method<&IToolPalette::FileSelected>(6, u"FileSelected"),
        com::Method<&IToolPalette::EnableUpBtn>(7, u"EnableUpBtn"),
        com::Method<&IToolPalette::GetBestSize>(8, u"GetBestSize"),
        com::Method<&IToolPalette::Browse>(9, u"Browse"),
        com::Method<&IToolPalette::UseAsMapPicture>(10, u"UseAsMapPicture"),
    };
    return members;
}

enum ToolPaletteEvent : com::DISPID {
    kToolChanged = 1,
    kBroadcastStartSlideShow = 2,
    kBroadcastOpenMap = 3,       // (BSTR* inMapFilename)
    kBroadcastFileSelected = 4,  // (BSTR* fileName)
    kBroadcastUseAsMapPicture = 5,  // (BSTR* fileName)
};

struct _IToolPaletteEvents : com::IDispatch {
    static constexpr const com::IID& kIid = IID__IToolPaletteEvents;
    using Base = com::IDispatch;
    virtual com::HRESULT ToolChanged() noexcept = 0;
    virtual com::HRESULT BroadcastStartSlideShow() noexcept = 0;
    virtual com::HRESULT BroadcastOpenMap(com::BSTR* inMapFilename) noexcept = 0;
    virtual com::HRESULT BroadcastFileSelected(com::BSTR* fileName) noexcept = 0;
    virtual com::HRESULT BroadcastUseAsMapPicture(com::BSTR* fileName) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const _IToolPaletteEvents*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&_IToolPaletteEvents::ToolChanged>(kToolChanged, u"ToolChanged"),
        com::Method<&_IToolPaletteEvents::BroadcastStartSlideShow>(kBroadcastStartSlideShow, u"BroadcastStartSlideShow"),
        com::Method<&_IToolPaletteEvents::BroadcastOpenMap>(kBroadcastOpenMap, u"BroadcastOpenMap"),
        com::Method<&_IToolPaletteEvents::BroadcastFileSelected>(kBroadcastFileSelected, u"BroadcastFileSelected"),
        com::Method<&_IToolPaletteEvents::BroadcastUseAsMapPicture>(kBroadcastUseAsMapPicture,
                                                                    u"BroadcastUseAsMapPicture"),
    };
    return members;
}
