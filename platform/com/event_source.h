#pragma once

#include "platform/com/connection_point.h"
#include "platform/com/dispatch_table.h"

namespace com {

// Listed among a component's interfaces, it makes the component a connection point container with
// one connection point for the outgoing interface `Events`, and gives it `Fire`.
template <class Events>
class EventSource : public IConnectionPointContainer {
public:
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** out) noexcept override
    {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** out) noexcept override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != Events::kIid) return CONNECT_E_NOCONNECTION;
        *out = &point_;
        point_.AddRef();
        return S_OK;
    }

protected:
    EventSource() = default;
    ~EventSource() = default;

    // Raises an event on every sink, arguments in their natural order; the broadcast stops at the
    // first sink that fails, and that failure is given back.
    template <class... Args>
    HRESULT Fire(DISPID id, Args&&... args)
    {
        ArgumentList arguments(std::forward<Args>(args)...);
        return point_.Fire(id, arguments.params());
    }

private:
    ConnectionPoint point_{*this, Events::kIid};
};

// Connects a sink to an object's outgoing interface for as long as it lives.
template <class Events>
class EventConnection {
public:
    EventConnection() = default;
    EventConnection(IUnknown* source, IUnknown* sink) { connect(source, sink); }
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    ~EventConnection() { disconnect(); }

    HRESULT connect(IUnknown* source, IUnknown* sink)
    {
        disconnect();
        if (!source) return E_POINTER;
        ComPtr<IConnectionPointContainer> container;
        HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, container.putVoid());
        if (FAILED(hr)) return hr;
        hr = container->FindConnectionPoint(Events::kIid, point_.put());
        if (FAILED(hr)) return hr;
        hr = point_->Advise(sink, &cookie_);
        if (FAILED(hr)) point_.reset();
        return hr;
    }
    void disconnect()
    {
        if (point_) point_->Unadvise(cookie_);
        point_.reset();
        cookie_ = 0;
    }
    bool connected() const { return static_cast<bool>(point_); }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace com
