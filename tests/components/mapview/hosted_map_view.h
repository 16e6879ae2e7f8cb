#pragma once

#include "components/interfaces/map_view.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "tests/support/document_listener.h"
#include "tests/support/registered_components.h"
#include "tests/support/scripted_shell_services.h"
#include "tests/support/temporary_directory.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

namespace test_support {

// Records the map view's events in order, with the path of those that carry one.
class MapViewEvents final : public com::Implements<MapViewEvents, _IMapViewEvents> {
public:
    struct Event {
        com::DISPID id;
        std::u16string path;
        friend bool operator==(const Event&, const Event&) = default;
    };
    com::HRESULT RequestMapFilename() noexcept override { return record(kRequestMapFilename, nullptr); }
    com::HRESULT BroadcastZoomOut(com::BSTR* inMapFilename) noexcept override
    {
        return record(kBroadcastZoomOut, inMapFilename);
    }
    com::HRESULT OpenMapFile(com::BSTR* inFileName) noexcept override { return record(kOpenMapFile, inFileName); }
    com::HRESULT MaximizeView() noexcept override { return record(kMaximizeView, nullptr); }
    com::HRESULT MinimizeView() noexcept override { return record(kMinimizeView, nullptr); }

    std::vector<Event> events;

private:
    com::HRESULT record(com::DISPID id, com::BSTR* path)
    {
        events.push_back({id, path && *path ? std::u16string(com::View(*path)) : std::u16string()});
        return com::S_OK;
    }
};

// A map view created by its ProgID and hosted in a bare widget, as the application hosts it: the
// document's notifications are forwarded to it, the tool is an edit tool, and the shell's dialogs
// and sounds are scripted.
class HostedMapView : public ComponentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the host with a client area of `size` and waits until it is on screen.
    void show(QSize size);
    // A picture file of one colour, written into the test's folder.
    QString writePicture(QSize size, QColor colour = Qt::darkGreen, const QString& name = {});
    // Makes `path` the document's map picture (which the view loads from the notification).
    void openMap(const QString& path);
    void setTool(const com::CLSID& toolClass);

    // Everything the view paints now, over a background of magenta: pixels it leaves alone stay
    // magenta. Pending repaints are used and emptied as by a paint on screen.
    QImage paint();
    QWidget& window();
    // Drags `files` in and drops them at `at`; gives the effect handed back to the source, and keeps
    // the one offered while the files were dragged in as `enteredAction`.
    Qt::DropAction drop(const QStringList& files, QPoint at, Qt::KeyboardModifiers keys = {},
                        Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    Qt::DropAction enteredAction = Qt::IgnoreAction;

    com::ComPtr<IDocument> document;
    com::ComPtr<IMapView> view;
    com::ComPtr<DocumentListener> listener;
    com::ComPtr<MapViewEvents> events;
    TemporaryDirectory folder;
    ScriptedShellServices shellServices;

private:
    com::EventConnection<_IDocumentEvents> connection_;
    com::EventConnection<_IMapViewEvents> eventsConnection_;
    std::unique_ptr<QWidget> host_;
    int pictures_ = 0;
};

}  // namespace test_support
