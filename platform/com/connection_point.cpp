#include "platform/com/connection_point.h"

namespace com {

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) noexcept
{
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) noexcept
{
    if (!iid) return E_POINTER;
    *iid = events_;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) noexcept
{
    if (!out) return E_POINTER;
    *out = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept
{
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(events_, dispatch.putVoid())) || !dispatch) return CONNECT_E_CANNOTCONNECT;
    try {
        sinks_.push_back(std::move(dispatch));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = static_cast<DWORD>(sinks_.size());
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) noexcept
{
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    sinks_[cookie - 1].reset();
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) noexcept
{
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT ConnectionPoint::Fire(DISPID id, DISPPARAMS& params)
{
    // Sinks connected during the broadcast are not called for it.
    const std::size_t count = sinks_.size();
    for (std::size_t slot = 0; slot < count; ++slot) {
        const ComPtr<IDispatch> sink = sinks_[slot];  // keeps it alive if it unadvises meanwhile
        if (!sink) continue;
        const HRESULT hr = sink->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace com
