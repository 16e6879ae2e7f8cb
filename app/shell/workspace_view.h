#pragma once

#include "app/shell/column_handle.h"
#include "app/shell/export_to_html_command.h"
#include "app/shell/workspace_event_sinks.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_view.h"
#include "components/interfaces/slide_show_controller.h"
#include "components/interfaces/slide_show_view.h"
#include "components/interfaces/table_control.h"
#include "components/interfaces/tool_palette.h"

#include <QString>
#include <QWidget>
#include <optional>

namespace shell {

class MainFrame;

// The main window's client area: owns the open document and its path, hosts the five controls
// (the file browser's tool palette and list, the map view, and the slide show view with its
// controller in the map's place while a show plays), lays them out, joins them through their
// events, and carries out the document commands.
//
// A control that cannot be created leaves its place empty and its reference null; everything
// below asks before using one.
//
// Thread: the user-interface thread.
class WorkspaceView final : public QWidget {
    Q_OBJECT

public:
    enum class PromptAnswer { Yes, No, Cancel };
    enum class OpenOutcome { Opened, Cancelled, Failed };

    // Creates the document, the controls, and opens the root map of the last run silently. Throws
    // std::runtime_error when the document cannot be created: without one there is no workspace.
    WorkspaceView(MainFrame& frame, QWidget* parent);
    ~WorkspaceView() override;

    // Asks to save a dirty document: Yes saves it, and answers Yes only when it was saved (a
    // cancelled save dialog or a failed save answer Cancel, so that no caller throws the changes
    // away). A clean document answers No without asking.
    PromptAnswer PromptToSave();
    // Makes the map saved at `path` the document, after asking to save the current one. A file that
    // cannot be loaded leaves the document and its path as they were, and says so if `showError`,
    // naming the file and the reason.
    OpenOutcome OpenDocumentFile(const QString& path, bool showError);
    // The map named on the command line: opened as OpenDocumentFile opens it, but the message of a
    // failure, or of the files the map names that are nowhere, is handed back, to be shown in turn
    // with the other dialogs of the start rather than over them.
    std::optional<QString> OpenAtStart(const QString& path);
    // What the user reads when the map at `path` cannot be opened, `reason` saying why.
    static QString OpenFailureMessage(const QString& path, const QString& reason);

    void New();
    void Open();
    // True when the document was written to its file.
    bool Save();
    bool SaveAs();
    void Undo();
    void Redo();
    bool UndoAvailable() const;
    // The document has changes its file does not hold.
    bool IsDirty() const;
    bool RedoAvailable() const;
    void ExportToHtml();
    // The current spot's story in its dialog (Edit > Spot Story...); available only while a spot of
    // the map is current.
    bool HasCurrentSpot() const;
    void EditSpotStory();

    // Into the map a map spot links to (the tool palette's BroadcastOpenMap), and back out to the
    // containing map (the map view's BroadcastZoomOut).
    void GoToLinkedMap(const QString& inMapFilename);
    void ZoomOut(const QString& inMapFilename);
    // A file the user activated: a map is opened in place of the document, a picture is shown
    // alone as a slide show.
    void ActivateFile(const QString& path);
    // The picture becomes the map picture, in one step of undo that puts back the one before.
    void UseAsMapPicture(const QString& path);
    // The file browser reads its folder again.
    void ReloadFolder();
    void Maximize();
    void Restore();

    // The tool palette's current tool becomes the map view's.
    void HandOverCurrentTool();
    // The slide show of the current spot in the map's place, and back to the map.
    void StartSlideShow();
    void StopSlideShow();
    // A step the controller's buttons ask of the slide show, which keeps the keyboard afterwards.
    void StepSlideShow(com::HRESULT (ISlideShowView::*step)() noexcept);
    // Before the document changes under it, or is exported, a show on screen ends as if its Stop
    // was pressed.
    void StopShownSlideShow();

    // The close box and Exit: asks to save, then stores the root map. False when the user chose to
    // keep the program running.
    bool CloseRequest();
    // An export in progress is cancelled; true when there was one. The export command returns once
    // its worker has ended.
    bool CancelExport();

    // What the document's listener is told, forwarded to both views.
    void onDocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags);

    IDocument* document() const { return document_.get(); }
    IMapView* mapView() const { return mapView_.get(); }
    // The file browser's list; null when it could not be created.
    ITableControl* tableControl() const { return tableControl_.get(); }
    IToolPalette* toolPalette() const { return toolPalette_.get(); }
    ISlideShowView* slideShowView() const { return slideShowView_.get(); }
    ISlideShowController* slideShowController() const { return slideShowController_.get(); }
    QWidget* mapViewHost() const { return mapViewHost_; }
    QWidget* slideShowViewHost() const { return slideShowViewHost_; }
    QWidget* slideShowControllerHost() const { return slideShowControllerHost_; }
    QWidget* toolPaletteHost() const { return toolPaletteHost_; }
    QWidget* tableControlHost() const { return tableControlHost_; }
    const QString& documentPath() const { return documentPath_; }
    bool maximised() const { return maximised_; }

signals:
    // Once, after the workspace's first paint has been finished.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // `failure` receives the message for the user when the map cannot be opened.
    OpenOutcome openDocument(const QString& path, bool askToSave, QString& failure);
    // One message, after the map shows, of the files it names that are nowhere to be found.
    void tellMissingFiles();
    // Saves the document to `path`, which becomes its path (the title's, and a recent file) once
    // the file holds it.
    bool writeDocument(const QString& path, const QString& failureMessage);
    // Where the document dialogs start: the open map's folder, else the user's pictures folder.
    QString documentFolder() const;
    // What the save dialogs propose: the map's own file, or "Untitled Map.plm" in that folder.
    QString proposedDocumentPath() const;
    template <class Control>
    com::ComPtr<Control> hostControl(std::u16string_view progId, QWidget*& host, bool bordered);
    void previewPicture(const QString& path);
    // A show of the current spot has something to show: a photo spot with a picture at least.
    bool hasPicturesToShow() const;
    // The current spot when it is one of the map's, not the preview of a picture from the browser.
    com::ComPtr<IBaseSpot> currentMapSpot() const;
    void layoutHosts();
    void postLayout();
    // The file browser's column: as the user last made it, within what the workspace leaves the map;
    // the palette's best width until then.
    int columnWidth(int bestWidth) const;
    int clampedColumnWidth(int wanted) const;
    void setColumnWidth(int width);

    MainFrame& frame_;
    com::ComPtr<IDocument> document_;
    EventSubscription<DocumentEventSink, _IDocumentEvents> documentEvents_;
    QString documentPath_;

    // The hosts belong to this widget; each control keeps its window inside its host.
    QWidget* tableControlHost_ = nullptr;
    QWidget* toolPaletteHost_ = nullptr;
    QWidget* mapViewHost_ = nullptr;
    QWidget* slideShowViewHost_ = nullptr;
    QWidget* slideShowControllerHost_ = nullptr;
    com::ComPtr<ITableControl> tableControl_;
    com::ComPtr<IToolPalette> toolPalette_;
    com::ComPtr<IMapView> mapView_;
    com::ComPtr<ISlideShowView> slideShowView_;
    com::ComPtr<ISlideShowController> slideShowController_;
    EventSubscription<ToolPaletteEventSink, _IToolPaletteEvents> toolPaletteEvents_;
    EventSubscription<MapViewEventSink, _IMapViewEvents> mapViewEvents_;
    EventSubscription<SlideShowViewEventSink, _ISlideShowViewEvents> slideShowViewEvents_;
    EventSubscription<SlideShowControllerEventSink, _ISlideShowControllerEvents> slideShowControllerEvents_;
    ExportToHtmlCommand exportCommand_;
    ColumnHandle* columnHandle_ = nullptr;
    std::optional<int> chosenColumnWidth_;
    bool maximised_ = false;
    bool firstPaintPending_ = true;
};

}  // namespace shell
