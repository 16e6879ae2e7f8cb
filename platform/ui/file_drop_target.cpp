#include "platform/ui/file_drop_target.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace ui {

namespace {
constexpr char kUriListFormat[] = "text/uri-list";
}

DropEffect DropEffectFor(Qt::KeyboardModifiers keys, Qt::DropActions allowed)
{
    const bool control = keys.testFlag(Qt::ControlModifier);
    const bool shift = keys.testFlag(Qt::ShiftModifier);
    if (control || shift) {
        const DropEffect wanted = control && shift ? kDropEffectLink : control ? kDropEffectCopy : kDropEffectMove;
        return allowed.testFlag(Qt::DropAction(wanted)) ? wanted : kDropEffectNone;
    }
    for (const DropEffect effect : {kDropEffectCopy, kDropEffectMove, kDropEffectLink})
        if (allowed.testFlag(Qt::DropAction(effect))) return effect;
    return kDropEffectNone;
}

QStringList DroppedFiles(const QMimeData& data)
{
    QStringList files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) files.append(url.toLocalFile());
    return files;
}

FileDropTarget::FileDropTarget(QWidget& targetWindow) : targetWindow_(targetWindow)
{
    targetWindow_.setAcceptDrops(true);
    targetWindow_.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &targetWindow_) return false;
    switch (event->type()) {
    case QEvent::DragEnter: dragEnter(*static_cast<QDragEnterEvent*>(event)); return true;
    case QEvent::DragMove: dragMove(*static_cast<QDragMoveEvent*>(event)); return true;
    case QEvent::DragLeave: dragLeave(); return true;
    case QEvent::Drop: drop(*static_cast<QDropEvent*>(event)); return true;
    default: return false;
    }
}

bool FileDropTarget::applyEffect(QDropEvent& event) const
{
    const DropEffect effect =
        allowDrop_ ? DropEffectFor(event.modifiers(), event.possibleActions()) : kDropEffectNone;
    if (effect == kDropEffectNone) {
        event.ignore();
        return false;
    }
    event.setDropAction(Qt::DropAction(effect));
    event.accept();
    return true;
}

void FileDropTarget::dragEnter(QDragEnterEvent& event)
{
    allowDrop_ = event.mimeData() && event.mimeData()->hasFormat(kUriListFormat);
    applyEffect(event);
}

void FileDropTarget::dragMove(QDragMoveEvent& event)
{
    applyEffect(event);
}

void FileDropTarget::dragLeave()
{
    allowDrop_ = false;
}

void FileDropTarget::drop(QDropEvent& event)
{
    const bool wanted = event.mimeData() && applyEffect(event);
    if (wanted) OnDrop(DroppedFiles(*event.mimeData()), targetWindow_.mapToGlobal(event.position().toPoint()));
    allowDrop_ = false;
    event.setDropAction(Qt::IgnoreAction);
    if (wanted) event.accept();
}

}  // namespace ui
