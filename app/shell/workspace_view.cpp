#include "app/shell/workspace_view.h"

#include "app/shell/main_frame.h"
#include "app/shell/preferences.h"
#include "app/shell/workspace_layout.h"
#include "components/interfaces/base_tool.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/file_type.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/runtime.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"

#include <QFrame>
#include <QPainter>
#include <stdexcept>

namespace shell {

namespace {

const FileFilter kDocumentFilters[] = {{QStringLiteral("Pinlore"), QStringLiteral("*.plm")}};

const QString kTitle = QStringLiteral("Pinlore");

QString text(const com::Bstr& value)
{
    return ui::ToQString(value.view());
}

void tellError(QWidget* owner, const QString& message)
{
    Services().messageBox(owner, message, kTitle, MessageButtons::Ok, MessageIcon::Error);
}

}  // namespace

WorkspaceView::WorkspaceView(MainFrame& frame, QWidget* parent)
    : QWidget(parent), frame_(frame), exportCommand_(*this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (com::FAILED(com::CreateInstance(CLSID_PLDocument, document_)))
        throw std::runtime_error("the document component could not be created");
    documentSink_ = com::Make<DocumentEventSink>(*this);
    documentEvents_.connect(document_.get(), documentSink_->identity());

    mapViewHost_ = new QFrame(this);
    mapViewHost_->setFrameStyle(QFrame::Box | QFrame::Plain);
    com::ComPtr<com::IUnknown> control;
    if (com::SUCCEEDED(ui::HostControl(u"Components.MapView.1", *mapViewHost_, control)))
        mapView_ = control.tryAs<IMapView>();
    if (mapView_) {
        mapViewSink_ = com::Make<MapViewEventSink>(*this);
        mapViewEvents_.connect(mapView_.get(), mapViewSink_->identity());
        mapView_->SetDocument(document_.get());
        // The tool palette hands the map view its current tool; until it is hosted the map view
        // gets the edit tool, the palette's tool at start.
        com::ComPtr<IBaseTool> editTool;
        if (com::SUCCEEDED(com::CreateInstance(CLSID_PLEditTool, editTool))) mapView_->SetCurrentTool(editTool.get());
        if (const auto hosted = mapView_.tryAs<ui::IHostedControl>(); hosted && hosted->ControlWindow())
            setFocusProxy(hosted->ControlWindow());
    }

    const QString rootMap = Preferences::RootMap();
    if (rootMap.isEmpty() || openDocument(rootMap, false, false) != OpenOutcome::Opened) documentPath_.clear();
}

WorkspaceView::~WorkspaceView()
{
    documentSink_->detach();
    documentEvents_.disconnect();
    if (mapViewSink_) mapViewSink_->detach();
    mapViewEvents_.disconnect();
    // The control's window goes while the control still lives, so it never outlives what it shows.
    delete mapViewHost_;
}

QWidget* WorkspaceView::mapViewHost() const
{
    return mapViewHost_;
}

WorkspaceView::PromptAnswer WorkspaceView::PromptToSave()
{
    com::LONG dirty = 0;
    document_->IsDirty(&dirty);
    if (!dirty) return PromptAnswer::No;
    switch (Services().messageBox(window(), QStringLiteral("Save Current Document?"), kTitle,
                                  MessageButtons::YesNoCancel, MessageIcon::Warning)) {
    case MessageAnswer::Yes:
        return Save() ? PromptAnswer::Yes : PromptAnswer::Cancel;
    case MessageAnswer::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

WorkspaceView::OpenOutcome WorkspaceView::OpenDocumentFile(const QString& path, bool showError)
{
    return openDocument(path, showError, true);
}

WorkspaceView::OpenOutcome WorkspaceView::openDocument(const QString& path, bool showError, bool askToSave)
{
    if (askToSave && PromptToSave() == PromptAnswer::Cancel) return OpenOutcome::Cancelled;

    com::ComPtr<IXMLPropertyBag> bag;
    com::ComPtr<com::IUnknown> loaded;
    if (com::SUCCEEDED(com::CreateInstance(CLSID_CXMLPropertyBag, bag)))
        bag->LoadFromFile(ui::ToBstr(path).get(), nullptr, loaded.put());
    com::ComPtr<IDocument> opened = loaded.tryAs<IDocument>();
    if (!opened) {
        if (showError) tellError(window(), QStringLiteral("An error occurred, the file could not be opened."));
        return OpenOutcome::Failed;
    }

    documentEvents_.disconnect();
    document_ = std::move(opened);
    if (mapView_) mapView_->SetDocument(document_.get());
    documentEvents_.connect(document_.get(), documentSink_->identity());
    document_->SendOpenNotification();
    documentPath_ = path;
    frame_.SetDocumentPath(path);
    return OpenOutcome::Opened;
}

void WorkspaceView::New()
{
    if (PromptToSave() == PromptAnswer::Cancel) return;
    if (mapView_) mapView_->PopAllMaps();
    documentPath_.clear();
    document_->Empty();
}

void WorkspaceView::Open()
{
    const std::optional<QString> chosen = Services().openFileName(kDocumentFilters, 0);
    if (chosen) OpenDocumentFile(*chosen, true);
}

bool WorkspaceView::Save()
{
    if (documentPath_.isEmpty()) {
        const std::optional<QString> chosen =
            Services().saveFileName(window(), kDocumentFilters, QString(), QStringLiteral("plm"));
        if (!chosen) return false;
        documentPath_ = *chosen;
    }
    return writeDocument(QStringLiteral("An error occurred, the file was not saved."));
}

bool WorkspaceView::SaveAs()
{
    const std::optional<QString> chosen =
        Services().saveFileName(window(), kDocumentFilters, documentPath_, QStringLiteral("plm"));
    if (!chosen) return false;
    documentPath_ = *chosen;
    return writeDocument(QStringLiteral("An error occurred, the file could not be saved."));
}

bool WorkspaceView::writeDocument(const QString& failureMessage)
{
    com::ComPtr<IXMLPropertyBag> bag;
    com::HRESULT hr = com::CreateInstance(CLSID_CXMLPropertyBag, bag);
    if (com::SUCCEEDED(hr)) hr = bag->SaveToFile(ui::ToBstr(documentPath_).get(), document_.get());
    if (com::FAILED(hr)) {
        // The document marks itself clean as it hands over its values, before the file is written:
        // after a failure the file does not hold what the user sees, so the document is dirty again.
        com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
        document_->SetDirty(&dirty);
        tellError(window(), failureMessage);
        return false;
    }
    return true;
}

void WorkspaceView::Undo()
{
    com::ComPtr<IUndoManager> undo;
    if (com::SUCCEEDED(document_->GetUndoManager(undo.put())) && undo) undo->Undo();
}

void WorkspaceView::Redo()
{
    com::ComPtr<IUndoManager> undo;
    if (com::SUCCEEDED(document_->GetUndoManager(undo.put())) && undo) undo->Redo();
}

bool WorkspaceView::UndoAvailable() const
{
    com::ComPtr<IUndoManager> undo;
    com::VARIANT_BOOL available = com::VARIANT_FALSE;
    if (com::SUCCEEDED(document_->GetUndoManager(undo.put())) && undo) undo->UndoAvailable(&available);
    return available != com::VARIANT_FALSE;
}

bool WorkspaceView::RedoAvailable() const
{
    com::ComPtr<IUndoManager> undo;
    com::VARIANT_BOOL available = com::VARIANT_FALSE;
    if (com::SUCCEEDED(document_->GetUndoManager(undo.put())) && undo) undo->RedoAvailable(&available);
    return available != com::VARIANT_FALSE;
}

void WorkspaceView::ExportToHtml()
{
    exportCommand_.run();
}

bool WorkspaceView::CancelExport()
{
    return exportCommand_.cancel();
}

void WorkspaceView::GoToLinkedMap(const QString& inMapFilename)
{
    if (documentPath_.isEmpty()) {
        Services().messageBox(window(), QStringLiteral("The current map must be saved before you can go to a new map."),
                              kTitle, MessageButtons::Ok, MessageIcon::Warning);
        if (PromptToSave() != PromptAnswer::Yes) return;
    }
    com::Bstr mapPicture;
    if (mapView_) mapView_->GetMapFileName(mapPicture.put());
    const com::Bstr containing = ui::ToBstr(documentPath_);
    if (OpenDocumentFile(inMapFilename, true) != OpenOutcome::Opened) return;

    if (mapView_) {
        com::BSTR map = containing.get();
        com::BSTR picture = mapPicture.get();
        mapView_->PushContainingMap(&map, &picture);
    }
    com::ComPtr<IBaseSpot> first;
    document_->FirstSpot(first.put());
    if (first) document_->PutCurrentSpot(first.get());
}

void WorkspaceView::ZoomOut(const QString& inMapFilename)
{
    const QString leaving = documentPath_;
    if (OpenDocumentFile(inMapFilename, true) != OpenOutcome::Opened) return;
    if (mapView_) mapView_->PopContainingMap();

    // When several spots link to the map being left, the last of them is the one to show.
    com::ComPtr<IBaseSpot> linking;
    com::ComPtr<IBaseSpot> spot;
    document_->FirstSpot(spot.put());
    while (spot) {
        if (const com::ComPtr<IMapSpot> mapSpot = spot.tryAs<IMapSpot>()) {
            com::Bstr linked;
            mapSpot->GetFileName(linked.put());
            if (text(linked) == leaving) linking = spot;
        }
        spot.reset();
        document_->NextSpot(spot.put());
    }
    if (linking) document_->PutCurrentSpot(linking.get());
}

void WorkspaceView::ActivateFile(const QString& path)
{
    if (ClassifyFile(ui::ToView(path)) != kFileTypeMap) return;
    if (PromptToSave() == PromptAnswer::Cancel) return;
    if (mapView_) mapView_->PopAllMaps();
    // The user has just been asked; a second question for the same open would be one too many.
    openDocument(path, true, false);
}

void WorkspaceView::Maximize()
{
    if (maximised_) return;
    maximised_ = true;
    postLayout();
    if (mapView_) mapView_->PutMaximized(1);
}

void WorkspaceView::Restore()
{
    if (!maximised_) return;
    maximised_ = false;
    postLayout();
    if (mapView_) mapView_->PutMaximized(0);
}

bool WorkspaceView::CloseRequest()
{
    if (PromptToSave() == PromptAnswer::Cancel) return false;
    com::Bstr rootMap;
    if (mapView_) mapView_->GetRootMap(rootMap.put());
    Preferences::SetRootMap(rootMap.view().empty() ? documentPath_ : text(rootMap));
    return true;
}

void WorkspaceView::onDocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags)
{
    if (mapView_) mapView_->DocumentChanged(pUnknown, changeFlags);
}

void WorkspaceView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (firstPaintPending_) {
        firstPaintPending_ = false;
        // Queued, so that whoever waits for it runs once this paint has reached the screen.
        QMetaObject::invokeMethod(this, &WorkspaceView::firstPainted, Qt::QueuedConnection);
    }
}

void WorkspaceView::resizeEvent(QResizeEvent*)
{
    layoutHosts();
}

void WorkspaceView::postLayout()
{
    // Laid out once the control's event has returned, as a size message posted to the window would.
    QMetaObject::invokeMethod(this, &WorkspaceView::layoutHosts, Qt::QueuedConnection);
}

void WorkspaceView::layoutHosts()
{
    const WorkspaceLayout layout = WorkspaceLayout::Compute(width(), height(), maximised_);
    mapViewHost_->setGeometry(layout.views);
}

}  // namespace shell
