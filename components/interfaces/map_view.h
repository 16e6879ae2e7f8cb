#pragma once

#include "components/interfaces/base_tool.h"
#include "components/interfaces/document.h"
#include "components/interfaces/interface_ids.h"
#include "components/interfaces/records.h"
#include "platform/com/dispatch_table.h"

// The control that shows a map: the map picture fitted into the window, the spots over it, the
// containing map in the top right corner. It converts between area coordinates (pixels of its
// window) and model coordinates (pixels of the map picture at its own size); conversions truncate
// toward zero.
//
// Thread: the user-interface thread. Every operation answers S_OK; a null output pointer is
// ignored or answered with E_POINTER.
struct IMapView : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IMapView;
    using Base = com::IDispatch;
    virtual com::HRESULT GetDocument(IDocument** pVal) noexcept = 0;
    // Nothing is loaded or repainted: the document's notifications do that.
    virtual com::HRESULT SetDocument(IDocument* newVal) noexcept = 0;
    // Null when the view shows no map.
    virtual com::HRESULT GetMapFileName(com::BSTR* pVal) noexcept = 0;
    // Changes the name only; the picture is loaded by the document's notifications.
    virtual com::HRESULT SetMapFileName(com::BSTR newVal) noexcept = 0;
    virtual com::HRESULT SetCurrentTool(IBaseTool* newVal) noexcept = 0;
    virtual com::HRESULT ConvertAreaRectToModelRect(tagRECT* areaRect, tagRECT* modelRect) noexcept = 0;
    // Every notification of the document is forwarded here by the host.
    virtual com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeType) noexcept = 0;
    virtual com::HRESULT ConvertAreaPointToModelPoint(tagPOINT* inAreaPoint, tagPOINT* outModelPoint) noexcept = 0;
    virtual com::HRESULT ConvertModelRectToAreaRect(tagRECT* inModelRect, tagRECT* outAreaRect) noexcept = 0;
    // Deletes the current spot, recording its restoration with the undo manager.
    virtual com::HRESULT OnDeleteKey() noexcept = 0;
    // {0, 0, W, H} of the map picture; {0, 0, 0, 0} while none is loaded.
    virtual com::HRESULT GetModelBounds(tagRECT* outRect) noexcept = 0;
    // The map left when entering a linked one, and its picture; null strings stay absent.
    virtual com::HRESULT PushContainingMap(com::BSTR* inMap, com::BSTR* inMapImage) noexcept = 0;
    virtual com::HRESULT PopContainingMap() noexcept = 0;
    virtual com::HRESULT PopAllMaps() noexcept = 0;
    // The outermost containing map; the caller's string is left alone when there is none.
    virtual com::HRESULT GetRootMap(com::BSTR* outRootMap) noexcept = 0;
    // Makes the next paint repaint the whole map (without asking for a paint).
    virtual com::HRESULT InvalMap() noexcept = 0;
    virtual com::HRESULT GetMaximized(com::LONG* pVal) noexcept = 0;
    // 0 shows the "<" button, any other value the ">" button.
    virtual com::HRESULT PutMaximized(com::LONG newVal) noexcept = 0;
    // Back from any zoom to the map fitted into the window, where every map opens. A zoom is the
    // view's alone: it is never saved, and another map opens fitted.
    virtual com::HRESULT ZoomToFit() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IMapView*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IMapView::GetDocument, com::kRetval>(1, u"GetDocument"),
        com::Method<&IMapView::SetDocument>(2, u"SetDocument"),
        com::Method<&IMapView::GetMapFileName, com::kRetval>(3, u"GetMapFileName"),
        com::Method<&IMapView::SetMapFileName>(4, u"SetMapFileName"),
        com::Method<&IMapView::SetCurrentTool>(5, u"SetCurrentTool"),
        com::Method<&IMapView::ConvertAreaRectToModelRect>(6, u"ConvertAreaRectToModelRect"),
        com::Method<&IMapView::DocumentChanged>(7, u"DocumentChanged"),
        com::Method<&IMapView::ConvertAreaPointToModelPoint, com::kRetval>(8, u"ConvertAreaPointToModelPoint"),
        com::Method<&IMapView::ConvertModelRectToAreaRect, com::kRetval>(9, u"ConvertModelRectToAreaRect"),
        com::Method<&IMapView::OnDeleteKey>(10, u"OnDeleteKey"),
        com::Method<&IMapView::GetModelBounds>(11, u"GetModelBounds"),
        com::Method<&IMapView::PushContainingMap>(12, u"PushContainingMap"),
        com::Method<&IMapView::PopContainingMap>(13, u"PopContainingMap"),
        com::Method<&IMapView::PopAllMaps>(14, u"PopAllMaps"),
        com::Method<&IMapView::GetRootMap, com::kRetval>(15, u"GetRootMap"),
        com::Method<&IMapView::InvalMap>(16, u"InvalMap"),
        com::PropertyGet<&IMapView::GetMaximized>(17, u"Maximized"),
        com::PropertyPut<&IMapView::PutMaximized>(17, u"Maximized"),
        com::Method<&IMapView::ZoomToFit>(18, u"ZoomToFit"),
    };
    return members;
}

// What the map view asks of its host. Dispatch-only; string arguments travel by reference.
enum MapViewEvent : com::DISPID {
    kRequestMapFilename = 1,  // declared, never raised
    kBroadcastZoomOut = 2,    // (BSTR* inMapFilename): the containing map's document path
    kOpenMapFile = 3,         // (BSTR* inFileName): a map dropped into a window that shows no map
    kMaximizeView = 4,        // the "<" button was clicked
    kMinimizeView = 5,        // the ">" button was clicked
};

struct _IMapViewEvents : com::IDispatch {
    static constexpr const com::IID& kIid = IID__IMapViewEvents;
    using Base = com::IDispatch;
    virtual com::HRESULT RequestMapFilename() noexcept = 0;
    virtual com::HRESULT BroadcastZoomOut(com::BSTR* inMapFilename) noexcept = 0;
    virtual com::HRESULT OpenMapFile(com::BSTR* inFileName) noexcept = 0;
    virtual com::HRESULT MaximizeView() noexcept = 0;
    virtual com::HRESULT MinimizeView() noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const _IMapViewEvents*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&_IMapViewEvents::RequestMapFilename>(kRequestMapFilename, u"RequestMapFilename"),
        com::Method<&_IMapViewEvents::BroadcastZoomOut>(kBroadcastZoomOut, u"BroadcastZoomOut"),
        com::Method<&_IMapViewEvents::OpenMapFile>(kOpenMapFile, u"OpenMapFile"),
        com::Method<&_IMapViewEvents::MaximizeView>(kMaximizeView, u"MaximizeView"),
        com::Method<&_IMapViewEvents::MinimizeView>(kMinimizeView, u"MinimizeView"),
    };
    return members;
}
