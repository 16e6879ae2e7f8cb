#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <Qt>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QWidget;

namespace ui {

// The platform's drop effects; Qt's drop actions have the same values.
enum DropEffect : unsigned {
    kDropEffectNone = 0,
    kDropEffectCopy = 1,
    kDropEffectMove = 2,
    kDropEffectLink = 4,
};

// Ctrl and Shift choose link, Ctrl alone copy, Shift alone move (none when the source does not
// allow it); without them the first of copy, move and link the source allows.
DropEffect DropEffectFor(Qt::KeyboardModifiers keys, Qt::DropActions allowed);

// A drop target for file lists: the data must offer a URI list ("text/uri-list", what file
// managers and the file browser drag), whose local files reach OnDrop in list order with the drop
// point in screen coordinates. The feedback during a drag is only the drop effect; the source
// shows the drag image. After a drop the effect given back is always none, so a source never
// deletes or moves the files it offered.
//
// It takes the target window's drag events itself (as an event filter), so the window needs no
// drag handling of its own; the window must outlive the target (it usually owns it).
// Thread: the user-interface thread.
class FileDropTarget : public QObject {
public:
    explicit FileDropTarget(QWidget& targetWindow);
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    virtual void OnDrop(const QStringList& files, QPoint screenPoint) = 0;

private:
    void dragEnter(QDragEnterEvent& event);
    void dragMove(QDragMoveEvent& event);
    void dragLeave();
    void drop(QDropEvent& event);

    // Writes the effect into the event; true when it is not none.
    bool applyEffect(QDropEvent& event) const;

    QWidget& targetWindow_;
    bool allowDrop_ = false;
};

// The local files of a URI list, in its order; other URIs are left out.
QStringList DroppedFiles(const QMimeData& data);

}  // namespace ui
