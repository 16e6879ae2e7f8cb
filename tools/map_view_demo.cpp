// A developer's window on the map view alone, until the application's window hosts it: opens a map
// document, shows it in a map view with the edit tool, and, given a second map, shows that one as
// the containing map in the corner. Prints "painted" once the first paint is on screen, so scripts
// can take a screenshot without guessing how long to wait.
//
//   map-view-demo MAP.plm [CONTAINING.plm]
#include "app/shell/component_registration.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/map_view.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/event_source.h"
#include "platform/com/runtime.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class Forwarder final : public com::Implements<Forwarder, _IDocumentEvents> {
public:
    explicit Forwarder(IMapView* view) : view_(view) {}
    com::HRESULT DocumentChanged(com::IUnknown* object, com::LONG flags) noexcept override
    {
        return view_->DocumentChanged(object, flags);
    }

private:
    IMapView* view_;
};

// Tells once that the window has painted, after Qt has put that paint on the screen.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !told_) {
            told_ = true;
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
            });
        }
        return false;
    }

private:
    bool told_ = false;
};

com::ComPtr<IDocument> LoadMap(const QString& path)
{
    const auto bag = com::CreateInstance<IXMLPropertyBag>(CLSID_CXMLPropertyBag);
    com::ComPtr<com::IUnknown> root;
    com::ThrowIfFailed(bag->LoadFromFile(ui::ToBstr(path).get(), nullptr, root.put()));
    return root.as<IDocument>();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: map-view-demo MAP.plm [CONTAINING.plm]\n");
        return 2;
    }
    com::ApartmentScope apartment;
    if (com::FAILED(shell::EnsureComponentsRegistered(shell::ComponentLibraryPath()))) {
        std::fprintf(stderr, "map-view-demo: the component library cannot be registered\n");
        return 1;
    }
    try {
        QWidget host;
        host.setWindowTitle("Pinlore map view");
        host.resize(1024, 700);
        com::ComPtr<com::IUnknown> control;
        com::ThrowIfFailed(ui::HostControl(u"Components.MapView.1", host, control));
        const auto view = control.as<IMapView>();
        const auto document = LoadMap(QString::fromLocal8Bit(argv[1]));
        const auto forwarder = com::Make<Forwarder>(view.get());
        com::EventConnection<_IDocumentEvents> connection(document.get(), forwarder->identity());
        view->SetDocument(document.get());
        view->SetCurrentTool(com::CreateInstance<IBaseTool>(CLSID_PLEditTool).get());
        if (argc > 2) {
            const auto containing = LoadMap(QString::fromLocal8Bit(argv[2]));
            com::Bstr map = ui::ToBstr(QString::fromLocal8Bit(argv[2])), picture;
            containing->GetMapFile(picture.put());
            com::BSTR a = map.get(), b = picture.get();
            view->PushContainingMap(&a, &b);
        }
        document->SendOpenNotification();
        com::ComPtr<IBaseSpot> first;
        document->FirstSpot(first.put());
        if (first) document->PutCurrentSpot(first.get());

        FirstPaint firstPaint;
        control.as<ui::IHostedControl>()->ControlWindow()->installEventFilter(&firstPaint);
        host.show();
        const int status = application.exec();
        connection.disconnect();
        return status;
    } catch (const com::ComError& error) {
        std::fprintf(stderr, "map-view-demo: %s cannot be shown (0x%08X)\n", argv[1], unsigned(error.code()));
        return 1;
    }
}
