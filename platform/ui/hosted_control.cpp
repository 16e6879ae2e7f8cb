#include "platform/ui/hosted_control.h"

#include "platform/com/runtime.h"

#include <QVBoxLayout>
#include <QWidget>

namespace ui {

com::HRESULT HostControl(std::u16string_view progId, QWidget& host, com::ComPtr<com::IUnknown>& control)
{
    control.reset();
    com::CLSID classId{};
    com::HRESULT hr = com::CLSIDFromProgID(progId, &classId);
    if (com::FAILED(hr)) return hr;
    com::ComPtr<IHostedControl> hosted;
    hr = com::CreateInstance(classId, hosted);
    if (com::FAILED(hr)) return hr;
    hr = hosted->CreateControlWindow(&host);
    if (com::FAILED(hr)) return hr;
    control = hosted.as<com::IUnknown>();
    return com::S_OK;
}

void FillHost(QWidget& host, QWidget& window)
{
    // A layout of its own keeps the window at the host's size through every resize; a host that
    // already lays out children gets the window added to its layout.
    QLayout* layout = host.layout();
    if (!layout) {
        layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(&window);
    window.show();
}

}  // namespace ui
