#pragma once

#include "components/browser/thumbnail_maker.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace browser {

// The thumbnails of the file browser's cells, made off the user-interface thread by a few workers
// (at most one per core) and kept within a memory budget. A cell asks for its thumbnail when it is
// drawn; without one yet it draws without it, and `thumbnailReady` tells the grid to paint again
// when it arrives. Requests of the latest paint are served first, so the cells on screen get their
// thumbnails before those scrolled past. A thumbnail is kept for as long as the files it was made
// from stay as they were (see FileStamp): a picture edited elsewhere, or a map given a new picture,
// gets a new one the next time its cell is drawn.
//
// The desktop cache's files are written after the thumbnails they come with have been handed over,
// when no thumbnail is waiting: a folder opened for the first time shows its first screen without
// waiting for PNG encoding. A few such writes at most wait at a time (each holds a decoded picture),
// beyond which a worker writes one before its next thumbnail.
//
// Thread: lives on the user-interface thread, which alone calls it; the workers only make
// thumbnails and hand them back through queued calls. Destroying the store drops the thumbnails not
// yet started, and waits for the decodes in progress and for the cache's files still to be written
// (so the desktop's cache holds every thumbnail that was made).
class ThumbnailStore final : public QObject {
    Q_OBJECT
public:
    // The store of this process, made when the first cell or grid needs it and gone with the last.
    static std::shared_ptr<ThumbnailStore> Shared();

    explicit ThumbnailStore(ThumbnailMaker maker, int workers, std::int64_t budgetBytes);
    ~ThumbnailStore() override;

    enum class State { Pending, Ready, None };
    struct Answer {
        State state;
        QImage image;  // when Ready
    };

    // The thumbnail of `path` for a cell of `cell` pixels. A thumbnail made for a cell of the same
    // width or the same height serves while its files are unchanged; otherwise a new one is asked for
    // (Pending).
    Answer find(const QString& path, FileType type, QSize cell);

    // Starts a new paint: what it asks for goes before everything asked for until now.
    void beginPaint() { ++paint_; }

    // Forgets every request not yet started (the folder changed).
    void dropPending();

    std::int64_t bytesKept() const { return bytes_; }

signals:
    void thumbnailReady();

private:
    struct Job {
        QString path;
        FileType type;
        QSize cell;
        std::uint64_t paint;
        std::uint64_t order;
    };
    struct Entry {
        QSize cell;
        bool done = false;
        QImage image;
        std::uint64_t lastUse = 0;
        std::vector<std::pair<QString, FileStamp>> sources;  // once done
    };

    void work();
    void finished(const QString& path, QSize cell, const ThumbnailMaker::Made& made);
    static bool unchanged(const Entry& entry);
    void keepWithinBudget();

    ThumbnailMaker maker_;
    std::int64_t budget_;
    QHash<QString, Entry> entries_;
    std::int64_t bytes_ = 0;
    std::uint64_t paint_ = 0;
    std::uint64_t order_ = 0;
    std::uint64_t uses_ = 0;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> queue_;  // guarded by mutex_
    std::deque<std::function<void()>> cacheFills_;  // guarded by mutex_
    bool stopping_ = false;  // guarded by mutex_
    std::vector<std::thread> workers_;
};

}  // namespace browser
