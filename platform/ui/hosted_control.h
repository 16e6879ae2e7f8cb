#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/guid.h"
#include "platform/com/unknown.h"

#include <string_view>

class QWidget;

namespace ui {

inline constexpr com::IID IID_IHostedControl = com::MakeGuid("{9ECAE32C-E3B1-4A3E-89DC-539774A31724}");

// What a windowed control component offers its host: its window is made inside a host widget that
// the host owns and lays out, and the control keeps that window for its life. The control's window
// fills the host and follows its size.
//
// Thread: the user-interface thread.
struct IHostedControl : com::IUnknown {
    static constexpr const com::IID& kIid = IID_IHostedControl;
    using Base = com::IUnknown;
    // E_POINTER for a null host, E_UNEXPECTED when the window exists already.
    virtual com::HRESULT CreateControlWindow(QWidget* host) noexcept = 0;
    // The control's window, or null before CreateControlWindow and after its host was destroyed.
    virtual QWidget* ControlWindow() noexcept = 0;
};

// Creates the control named by `progId` and makes its window inside `host`. Gives the creation's or
// the window's failure; on failure `control` stays empty.
com::HRESULT HostControl(std::u16string_view progId, QWidget& host, com::ComPtr<com::IUnknown>& control);

// For a control's CreateControlWindow: makes `window` fill `host` from now on.
void FillHost(QWidget& host, QWidget& window);

}  // namespace ui
