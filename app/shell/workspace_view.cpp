#include "app/shell/workspace_view.h"

#include "app/export/map_file.h"
#include "app/shell/main_frame.h"
#include "app/shell/map_context_menu.h"
#include "app/shell/map_picture_change.h"
#include "app/shell/missing_files.h"
#include "app/shell/preferences.h"
#include "app/shell/spot_story_dialog.h"
#include "app/shell/workspace_layout.h"
#include "components/interfaces/base_tool.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/file_type.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/runtime.h"
#include "platform/files/write_protection.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>
#include <QStandardPaths>
#include <algorithm>
#include <stdexcept>

namespace shell {

namespace {

const FileFilter kDocumentFilters[] = {{QStringLiteral("Pinlore (*.plm)"), QStringLiteral("*.plm")}};

const QString kTitle = QStringLiteral("Pinlore");
const QString kUntitledMapName = QStringLiteral("Untitled Map.plm");

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
    : QWidget(parent),
      frame_(frame),
      exportCommand_(*this),
      columnHandle_(new ColumnHandle(*this)),
      chosenColumnWidth_(Preferences::BrowserWidth())
{
    connect(columnHandle_, &ColumnHandle::moved, this, &WorkspaceView::setColumnWidth);
    connect(columnHandle_, &ColumnHandle::released, this, [this] {
        if (chosenColumnWidth_) Preferences::SetBrowserWidth(*chosenColumnWidth_);
    });
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (com::FAILED(com::CreateInstance(CLSID_PLDocument, document_)))
        throw std::runtime_error("the document component could not be created");
    documentEvents_.connect(document_.get(), *this);

    tableControl_ = hostControl<ITableControl>(u"Components.TableControl.1", tableControlHost_, false);
    toolPalette_ = hostControl<IToolPalette>(u"Components.ToolPalette.1", toolPaletteHost_, false);
    if (toolPalette_) {
        toolPaletteEvents_.connect(toolPalette_.get(), *this);
        toolPalette_->SetTableControl(tableControl_.get());
    }

    mapView_ = hostControl<IMapView>(u"Components.MapView.1", mapViewHost_, true);
    if (mapView_) {
        mapViewEvents_.connect(mapView_.get(), *this);
        mapView_->SetDocument(document_.get());
        if (const auto hosted = mapView_.tryAs<ui::IHostedControl>(); hosted && hosted->ControlWindow())
            new MapContextMenu(*this, *hosted->ControlWindow());
    }
    // The map takes the keys when the window opens: Tab steps through its spots from the start.
    setFocusProxy(mapViewHost_);
    mapViewHost_->setFocus();

    slideShowView_ = hostControl<ISlideShowView>(u"Components.SlideShowView.1", slideShowViewHost_, true);
    if (slideShowView_) {
        slideShowViewEvents_.connect(slideShowView_.get(), *this);
        slideShowView_->SetDocument(document_.get());
    }
    slideShowViewHost_->hide();
    HandOverCurrentTool();
    slideShowController_ =
        hostControl<ISlideShowController>(u"Components.SlideShowController.1", slideShowControllerHost_, false);
    if (slideShowController_) {
        slideShowControllerEvents_.connect(slideShowController_.get(), *this);
        slideShowController_->Disable();
    }

    const QString rootMap = Preferences::RootMap();
    QString unreported;
    if (rootMap.isEmpty() || openDocument(rootMap, false, unreported) != OpenOutcome::Opened) documentPath_.clear();
}

template <class Control>
com::ComPtr<Control> WorkspaceView::hostControl(std::u16string_view progId, QWidget*& host, bool bordered)
{
    if (bordered) {
        auto* frame = new QFrame(this);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        host = frame;
    } else {
        host = new QWidget(this);
    }
    com::ComPtr<com::IUnknown> control;
    if (com::FAILED(ui::HostControl(progId, *host, control))) return {};
    // Whoever gives the host the keyboard gives it to the control inside.
    if (const auto hosted = control.tryAs<ui::IHostedControl>(); hosted && hosted->ControlWindow())
        host->setFocusProxy(hosted->ControlWindow());
    return control.tryAs<Control>();
}

WorkspaceView::~WorkspaceView()
{
    // The controls' windows go while the controls still live, so none outlives what it shows.
    for (QWidget* host : {tableControlHost_, toolPaletteHost_, mapViewHost_, slideShowViewHost_, slideShowControllerHost_})
        delete host;
}

WorkspaceView::PromptAnswer WorkspaceView::PromptToSave()
{
    if (!IsDirty()) return PromptAnswer::No;
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
    QString failure;
    const OpenOutcome outcome = openDocument(path, true, failure);
    if (outcome == OpenOutcome::Failed && showError) tellError(window(), failure);
    if (outcome == OpenOutcome::Opened && showError) tellMissingFiles();
    return outcome;
}

QString WorkspaceView::OpenFailureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("An error occurred, the file could not be opened.\n\n%1: %2").arg(path, reason);
}

std::optional<QString> WorkspaceView::OpenAtStart(const QString& path)
{
    QString failure;
    if (openDocument(path, true, failure) == OpenOutcome::Failed) return failure;
    const QString missing = MissingFiles::Message(MissingFiles::Of(*document_.get()));
    return missing.isEmpty() ? std::nullopt : std::optional<QString>(missing);
}

WorkspaceView::OpenOutcome WorkspaceView::openDocument(const QString& path, bool askToSave, QString& failure)
{
    if (askToSave && PromptToSave() == PromptAnswer::Cancel) return OpenOutcome::Cancelled;
    StopShownSlideShow();

    html_export::MapFile::Opened opened = html_export::MapFile::Open(path);
    if (!opened.document) {
        failure = OpenFailureMessage(path, opened.failure);
        return OpenOutcome::Failed;
    }

    documentEvents_.disconnect();
    document_ = std::move(opened.document);
    if (mapView_) mapView_->SetDocument(document_.get());
    if (slideShowView_) slideShowView_->SetDocument(document_.get());
    documentEvents_.connect(document_.get(), *this);
    document_->SendOpenNotification();
    documentPath_ = path;
    frame_.SetDocumentPath(path);
    return OpenOutcome::Opened;
}

void WorkspaceView::tellMissingFiles()
{
    const QString message = MissingFiles::Message(MissingFiles::Of(*document_.get()));
    if (message.isEmpty()) return;
    // Once the map shows, so that the user sees what the message speaks of.
    QMetaObject::invokeMethod(
        this,
        [this, message] { Services().messageBox(window(), message, kTitle, MessageButtons::Ok, MessageIcon::Warning); },
        Qt::QueuedConnection);
}

void WorkspaceView::New()
{
    if (PromptToSave() == PromptAnswer::Cancel) return;
    StopShownSlideShow();
    if (mapView_) mapView_->PopAllMaps();
    documentPath_.clear();
    frame_.ShowDocumentTitle(documentPath_);
    document_->Empty();
}

QString WorkspaceView::documentFolder() const
{
    if (!documentPath_.isEmpty()) return QFileInfo(documentPath_).absolutePath();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

QString WorkspaceView::proposedDocumentPath() const
{
    return documentPath_.isEmpty() ? QDir(documentFolder()).filePath(kUntitledMapName) : documentPath_;
}

void WorkspaceView::Open()
{
    const std::optional<QString> chosen = Services().openFileName(window(), kDocumentFilters, 0, documentFolder());
    if (chosen) OpenDocumentFile(*chosen, true);
}

bool WorkspaceView::Save()
{
    const QString failureMessage = QStringLiteral("An error occurred, the file was not saved.");
    if (!documentPath_.isEmpty()) return writeDocument(documentPath_, failureMessage);
    const std::optional<QString> chosen =
        Services().saveFileName(window(), kDocumentFilters, proposedDocumentPath(), QStringLiteral("plm"));
    return chosen && writeDocument(*chosen, failureMessage);
}

bool WorkspaceView::SaveAs()
{
    const std::optional<QString> chosen =
        Services().saveFileName(window(), kDocumentFilters, proposedDocumentPath(), QStringLiteral("plm"));
    return chosen && writeDocument(*chosen, QStringLiteral("An error occurred, the file could not be saved."));
}

bool WorkspaceView::writeDocument(const QString& path, const QString& failureMessage)
{
    // A file made read-only is not replaced behind its owner's back, though its folder would let
    // the save put a new file in its place.
    if (files::IsWriteProtected(QFile::encodeName(path).constData()) &&
        Services().messageBox(window(),
                              QStringLiteral("\"%1\" is read-only.\n\nDo you want to replace it anyway?").arg(path),
                              kTitle, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return false;
    com::ComPtr<IXMLPropertyBag> bag;
    com::HRESULT hr = com::CreateInstance(CLSID_CXMLPropertyBag, bag);
    if (com::SUCCEEDED(hr)) hr = bag->SaveToFile(ui::ToBstr(path).get(), document_.get());
    if (com::FAILED(hr)) {
        // The document marks itself clean as it hands over its values, before the file is written:
        // after a failure the file does not hold what the user sees, so the document is dirty again.
        com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
        document_->SetDirty(&dirty);
        tellError(window(), failureMessage);
        return false;
    }
    // Only a file that holds the map becomes its path: after a failure, Save goes on writing where
    // the map was saved before, and the root map never names a file that is not there. A new path
    // is the title's and joins the recent files.
    if (path != documentPath_) {
        documentPath_ = path;
        frame_.SetDocumentPath(path);
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

com::ComPtr<IBaseSpot> WorkspaceView::currentMapSpot() const
{
    com::ComPtr<IBaseSpot> spot;
    com::LONG index = 0;
    com::LONG count = 0;
    if (com::FAILED(document_->GetCurrentSpot(spot.put())) || !spot) return {};
    document_->GetSpotIndex(spot.get(), &index);
    document_->GetNumSpots(&count);
    return index < count ? spot : com::ComPtr<IBaseSpot>();
}

bool WorkspaceView::HasCurrentSpot() const
{
    return static_cast<bool>(currentMapSpot());
}

void WorkspaceView::EditSpotStory()
{
    const com::ComPtr<IBaseSpot> spot = currentMapSpot();
    if (!spot) return;
    const SpotStory story = SpotStory::Read(*spot.get());
    SpotStoryDialog dialog(window(), story);
    if (dialog.exec() == QDialog::Accepted) SpotStory::Write(*document_.get(), *spot.get(), story, dialog.story());
}

bool WorkspaceView::IsDirty() const
{
    com::LONG dirty = 0;
    document_->IsDirty(&dirty);
    return dirty != 0;
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
    switch (ClassifyFile(ui::ToView(path))) {
    case kFileTypePicture:
        previewPicture(path);
        break;
    case kFileTypeMap:
        if (PromptToSave() == PromptAnswer::Cancel) return;
        if (mapView_) mapView_->PopAllMaps();
        // The user has just been asked; a second question for the same open would be one too many.
        if (QString failure; openDocument(path, false, failure) == OpenOutcome::Failed) tellError(window(), failure);
        break;
    default:
        break;
    }
}

void WorkspaceView::UseAsMapPicture(const QString& path)
{
    com::Bstr before;
    document_->GetMapFile(before.put());
    if (text(before) == path) return;
    com::Bstr after = ui::ToBstr(path);
    document_->SetMapFile(after.get());
    com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
    document_->SetDirty(&dirty);
    com::ComPtr<IUndoManager> undo;
    if (com::SUCCEEDED(document_->GetUndoManager(undo.put())) && undo)
        undo->AddUndoAction(com::Make<MapPictureChange>(*document_, std::move(before), std::move(after)).get());
}

void WorkspaceView::ReloadFolder()
{
    if (tableControl_) tableControl_->Refresh();
}

void WorkspaceView::previewPicture(const QString& path)
{
    if (!slideShowView_) return;
    com::ComPtr<IBaseSpot> preview;
    document_->GetPreviewSpot(preview.put());
    const com::ComPtr<IPhotoSpot> photoSpot = preview.tryAs<IPhotoSpot>();
    if (!photoSpot) return;
    // What an earlier preview left goes, so the preview shows exactly this one picture.
    com::LONG count = 0;
    photoSpot->NumImages(&count);
    for (com::LONG i = 0; i < count; ++i) photoSpot->RemoveCurrentImage();
    com::Bstr picture = ui::ToBstr(path);
    com::BSTR name = picture.get();
    photoSpot->AddPhoto(&name);
    document_->PutCurrentSpot(preview.get());
    StartSlideShow();
}

void WorkspaceView::Maximize()
{
    if (maximised_) return;
    toolPaletteHost_->hide();
    tableControlHost_->hide();
    maximised_ = true;
    postLayout();
    if (slideShowView_) slideShowView_->PutMaximized(1);
    if (mapView_) mapView_->PutMaximized(1);
}

void WorkspaceView::Restore()
{
    if (!maximised_) return;
    maximised_ = false;
    toolPaletteHost_->show();
    tableControlHost_->show();
    postLayout();
    if (slideShowView_) slideShowView_->PutMaximized(0);
    if (mapView_) mapView_->PutMaximized(0);
}

void WorkspaceView::HandOverCurrentTool()
{
    if (!toolPalette_ || !mapView_) return;
    com::ComPtr<IBaseTool> tool;
    toolPalette_->GetCurrentTool(tool.put());
    mapView_->SetCurrentTool(tool.get());
}

void WorkspaceView::StartSlideShow()
{
    if (!slideShowView_ || !hasPicturesToShow()) return;
    com::Bstr mapPicture;
    if (mapView_) mapView_->GetMapFileName(mapPicture.put());
    com::BSTR picture = mapPicture.get();
    slideShowView_->OnSlideShowStart(&picture);
    slideShowViewHost_->show();
    mapViewHost_->hide();
    slideShowViewHost_->setFocus();
    if (slideShowController_) slideShowController_->Enable();
}

bool WorkspaceView::hasPicturesToShow() const
{
    com::ComPtr<IBaseSpot> current;
    document_->GetCurrentSpot(current.put());
    const com::ComPtr<IPhotoSpot> photoSpot = current.tryAs<IPhotoSpot>();
    com::LONG count = 0;
    if (photoSpot) photoSpot->NumImages(&count);
    return count > 0;
}

void WorkspaceView::StopSlideShow()
{
    if (mapView_) mapView_->InvalMap();
    mapViewHost_->show();
    mapViewHost_->setFocus();
    slideShowViewHost_->hide();
    if (slideShowController_) slideShowController_->Disable();
    // A finished preview leaves no current spot behind: the preview spot is not on the map.
    com::ComPtr<IBaseSpot> current;
    com::ComPtr<IBaseSpot> preview;
    document_->GetCurrentSpot(current.put());
    document_->GetPreviewSpot(preview.put());
    if (current && current == preview) document_->PutCurrentSpot(nullptr);
}

void WorkspaceView::StopShownSlideShow()
{
    if (slideShowView_ && slideShowViewHost_->isVisible()) slideShowView_->StopSlideShow();
}

void WorkspaceView::StepSlideShow(com::HRESULT (ISlideShowView::*step)() noexcept)
{
    if (!slideShowView_) return;
    (slideShowView_.get()->*step)();
    slideShowViewHost_->setFocus();
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
    if (slideShowView_) slideShowView_->DocumentChanged(pUnknown, changeFlags);
}

void WorkspaceView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // White with the default palette; a dark palette's ground around the map and the show.
    painter.fillRect(rect(), palette().color(QPalette::Base));
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

int WorkspaceView::columnWidth(int bestWidth) const
{
    return clampedColumnWidth(chosenColumnWidth_.value_or(bestWidth));
}

int WorkspaceView::clampedColumnWidth(int wanted) const
{
    // Narrower, the palette's buttons could not show their names even shortened; wider, the map
    // would not have the room to be worked on.
    constexpr int kNarrowest = 120, kMapRoom = 240;
    return std::clamp(wanted, kNarrowest, std::max(kNarrowest, width() - kMapRoom));
}

void WorkspaceView::setColumnWidth(int width)
{
    chosenColumnWidth_ = clampedColumnWidth(width);
    layoutHosts();
}

void WorkspaceView::postLayout()
{
    // Laid out once the control's event has returned, as a size message posted to the window would.
    QMetaObject::invokeMethod(this, &WorkspaceView::layoutHosts, Qt::QueuedConnection);
}

void WorkspaceView::layoutHosts()
{
    com::LONG bestWidth = WorkspaceLayout::kDefaultBestWidth;
    com::LONG bestHeight = WorkspaceLayout::kDefaultBestHeight;
    if (toolPalette_) toolPalette_->GetBestSize(&bestWidth, &bestHeight);
    const int column = columnWidth(bestWidth);
    const WorkspaceLayout layout = WorkspaceLayout::Compute(width(), height(), maximised_, column, bestHeight);
    if (!maximised_) {
        toolPaletteHost_->setGeometry(layout.toolPalette);
        tableControlHost_->setGeometry(layout.tableControl);
        columnHandle_->placeAt(column);
    }
    columnHandle_->setVisible(!maximised_);
    mapViewHost_->setGeometry(layout.views);
    slideShowViewHost_->setGeometry(layout.views);
    slideShowControllerHost_->setGeometry(layout.slideShowController);
}

}  // namespace shell
