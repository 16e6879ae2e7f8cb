#pragma once

#include "app/shell/document_event_sink.h"
#include "app/shell/export_to_html_command.h"
#include "app/shell/map_view_event_sink.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_view.h"
#include "components/interfaces/table_control.h"
#include "platform/com/event_source.h"

#include <QString>
#include <QWidget>

class QFrame;

namespace shell {

class MainFrame;

// The main window's client area: owns the open document and its path, hosts the controls, lays
// them out, receives their events, and carries out the document commands.
//
// The file browser, the tool palette, the slide show view and its controller are hosted by their
// own code when they exist; until then the layout leaves their places empty and the map view gets
// the edit tool directly.
//
// Thread: the user-interface thread.
class WorkspaceView final : public QWidget {
    Q_OBJECT

public:
    enum class PromptAnswer { Yes, No, Cancel };
    enum class OpenOutcome { Opened, Cancelled, Failed };

    // Creates the document, the map view, and opens the root map of the last run silently. Throws
    // std::runtime_error when the document cannot be created: without one there is no workspace.
    WorkspaceView(MainFrame& frame, QWidget* parent);
    ~WorkspaceView() override;

    // Asks to save a dirty document: Yes saves it, and answers Yes only when it was saved (a
    // cancelled save dialog or a failed save answer Cancel, so that no caller throws the changes
    // away). A clean document answers No without asking.
    PromptAnswer PromptToSave();
    // Makes the map saved at `path` the document, after asking to save the current one. A file that
    // cannot be loaded leaves the document and its path as they were, and says so if `showError`.
    OpenOutcome OpenDocumentFile(const QString& path, bool showError);

    void New();
    void Open();
    // True when the document was written to its file.
    bool Save();
    bool SaveAs();
    void Undo();
    void Redo();
    bool UndoAvailable() const;
    bool RedoAvailable() const;
    void ExportToHtml();

    // Into the map a map spot links to (the tool palette's BroadcastOpenMap), and back out to the
    // containing map (the map view's BroadcastZoomOut).
    void GoToLinkedMap(const QString& inMapFilename);
    void ZoomOut(const QString& inMapFilename);
    // A file the user activated: a map is opened in place of the document.
    void ActivateFile(const QString& path);
    void Maximize();
    void Restore();

    // The close box and Exit: asks to save, then stores the root map. False when the user chose to
    // keep the program running.
    bool CloseRequest();
    // An export in progress is cancelled; true when there was one. The export command returns once
    // its worker has ended.
    bool CancelExport();

    // What the document's listener is told, forwarded to the map view.
    void onDocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags);

    IDocument* document() const { return document_.get(); }
    IMapView* mapView() const { return mapView_.get(); }
    // The file browser's list; null while it is not hosted.
    ITableControl* tableControl() const { return tableControl_.get(); }
    QWidget* mapViewHost() const;
    const QString& documentPath() const { return documentPath_; }
    bool maximised() const { return maximised_; }

signals:
    // Once, after the workspace's first paint has been finished.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    OpenOutcome openDocument(const QString& path, bool showError, bool askToSave);
    bool writeDocument(const QString& failureMessage);
    void layoutHosts();
    void postLayout();

    MainFrame& frame_;
    com::ComPtr<IDocument> document_;
    com::ComPtr<DocumentEventSink> documentSink_;
    com::EventConnection<_IDocumentEvents> documentEvents_;
    QString documentPath_;
    QFrame* mapViewHost_ = nullptr;
    com::ComPtr<IMapView> mapView_;
    com::ComPtr<MapViewEventSink> mapViewSink_;
    com::EventConnection<_IMapViewEvents> mapViewEvents_;
    com::ComPtr<ITableControl> tableControl_;
    ExportToHtmlCommand exportCommand_;
    bool maximised_ = false;
    bool firstPaintPending_ = true;
};

}  // namespace shell
