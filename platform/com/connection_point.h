#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/export.h"

#include <vector>

namespace com {

inline constexpr IID IID_IConnectionPointContainer = MakeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
inline constexpr IID IID_IConnectionPoint = MakeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");

struct IConnectionPoint;
struct IEnumConnections;
struct IEnumConnectionPoints;

struct IConnectionPointContainer : IUnknown {
    static constexpr const IID& kIid = IID_IConnectionPointContainer;
    using Base = IUnknown;
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** out) noexcept = 0;
    virtual HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** out) noexcept = 0;

protected:
    ~IConnectionPointContainer() = default;
};

struct IConnectionPoint : IUnknown {
    static constexpr const IID& kIid = IID_IConnectionPoint;
    using Base = IUnknown;
    virtual HRESULT GetConnectionInterface(IID* iid) noexcept = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** out) noexcept = 0;
    virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) noexcept = 0;
    virtual HRESULT Unadvise(DWORD cookie) noexcept = 0;
    virtual HRESULT EnumConnections(IEnumConnections** out) noexcept = 0;

protected:
    ~IConnectionPoint() = default;
};

// The connection point of one outgoing interface, living inside the object that raises the events:
// its references are the container's. Sinks are kept in connection order; the cookie of a sink is
// its slot number plus one, and an unadvised slot stays empty so that cookies never change.
class PINLORE_COM_EXPORT ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& container, const IID& events) : container_(container), events_(events) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;
    ~ConnectionPoint() = default;

    HRESULT QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG AddRef() noexcept override { return container_.AddRef(); }
    ULONG Release() noexcept override { return container_.Release(); }

    HRESULT GetConnectionInterface(IID* iid) noexcept override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** out) noexcept override;
    // The sink must answer QueryInterface for the outgoing interface (CONNECT_E_CANNOTCONNECT).
    HRESULT Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT Unadvise(DWORD cookie) noexcept override;
    // Not offered: nothing in the system lists connections.
    HRESULT EnumConnections(IEnumConnections** out) noexcept override;

    const IID& events() const { return events_; }
    // Calls every sink in connection order through IDispatch::Invoke and stops at the first that
    // fails; gives that failure. A sink may unadvise (itself or others) while it is being called.
    HRESULT Fire(DISPID id, DISPPARAMS& params);

private:
    IConnectionPointContainer& container_;
    IID events_;
    std::vector<ComPtr<IDispatch>> sinks_;
};

}  // namespace com
