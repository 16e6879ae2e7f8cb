#include "components/browser/thumbnail_store.h"

#include "platform/com/runtime.h"

#include <QThread>
#include <algorithm>

namespace browser {

namespace {

// A folder's worth of cells at the usual cell size (about 120 KB each) fits several times over;
// thumbnails of cells not drawn for the longest time go first.
constexpr std::int64_t kBudgetBytes = 64 * 1024 * 1024;

// Cache files waiting to be written hold their decoded picture (about 750 KB for a photograph);
// a screenful of them may wait.
constexpr std::size_t kMaxWaitingCacheFills = 8;

std::int64_t BytesOf(const QImage& image)
{
    return image.sizeInBytes();
}

}  // namespace

std::shared_ptr<ThumbnailStore> ThumbnailStore::Shared()
{
    static std::weak_ptr<ThumbnailStore> shared;
    if (auto store = shared.lock()) return store;
    auto store = std::make_shared<ThumbnailStore>(ThumbnailMaker(FreedesktopThumbnailCache()),
                                                  std::max(1, QThread::idealThreadCount()), kBudgetBytes);
    shared = store;
    return store;
}

ThumbnailStore::ThumbnailStore(ThumbnailMaker maker, int workers, std::int64_t budgetBytes)
    : maker_(std::move(maker)), budget_(budgetBytes)
{
    for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
}

ThumbnailStore::~ThumbnailStore()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

ThumbnailStore::Answer ThumbnailStore::find(const QString& path, FileType type, QSize cell)
{
    auto found = entries_.find(path);
    if (found != entries_.end() && (found->cell.width() == cell.width() || found->cell.height() == cell.height()) &&
        (!found->done || unchanged(*found))) {
        found->lastUse = ++uses_;
        if (found->done) return {found->image.isNull() ? State::None : State::Ready, found->image};
        std::lock_guard lock(mutex_);
        // Still waiting: it moves up to the current paint.
        for (Job& job : queue_)
            if (job.path == path) job.paint = paint_;
        return {State::Pending, {}};
    }
    if (found != entries_.end()) bytes_ -= BytesOf(found->image);
    Entry& entry = entries_[path];
    entry = Entry{cell, false, {}, ++uses_, {}};
    {
        std::lock_guard lock(mutex_);
        std::erase_if(queue_, [&](const Job& job) { return job.path == path; });
        queue_.push_back({path, type, cell, paint_, ++order_});
    }
    wake_.notify_one();
    return {State::Pending, {}};
}

void ThumbnailStore::dropPending()
{
    {
        std::lock_guard lock(mutex_);
        for (const Job& job : queue_) entries_.remove(job.path);
        queue_.clear();
    }
}

void ThumbnailStore::work()
{
    com::ApartmentScope apartment;
    for (;;) {
        std::optional<Job> job;
        std::function<void()> fillCache;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty() || !cacheFills_.empty(); });
            if (!stopping_ && !queue_.empty() && cacheFills_.size() < kMaxWaitingCacheFills) {
                // The latest paint first, and within it the cells in the order they were drawn.
                const auto next = std::min_element(queue_.begin(), queue_.end(), [](const Job& a, const Job& b) {
                    return a.paint != b.paint ? a.paint > b.paint : a.order < b.order;
                });
                job = std::move(*next);
                queue_.erase(next);
            } else if (!cacheFills_.empty()) {
                fillCache = std::move(cacheFills_.front());
                cacheFills_.pop_front();
            } else {
                return;  // stopping, with every cache file written
            }
        }
        if (fillCache) {
            fillCache();
            continue;
        }
        ThumbnailMaker::Made made = maker_.make(job->path, job->type, job->cell);
        std::function<void()> fill = std::exchange(made.fillCache, {});
        QMetaObject::invokeMethod(
            this, [this, path = job->path, cell = job->cell, made = std::move(made)] { finished(path, cell, made); },
            Qt::QueuedConnection);
        if (fill) {
            std::lock_guard lock(mutex_);
            cacheFills_.push_back(std::move(fill));
        }
    }
}

void ThumbnailStore::finished(const QString& path, QSize cell, const ThumbnailMaker::Made& made)
{
    auto found = entries_.find(path);
    // A thumbnail for a size or a folder no longer wanted is dropped.
    if (found == entries_.end() || found->done || found->cell != cell) return;
    found->done = true;
    found->image = made.thumbnail;
    found->sources = made.sources;
    bytes_ += BytesOf(made.thumbnail);
    keepWithinBudget();
    emit thumbnailReady();
}

bool ThumbnailStore::unchanged(const Entry& entry)
{
    return std::all_of(entry.sources.begin(), entry.sources.end(),
                       [](const auto& source) { return FileStamp::Of(source.first) == source.second; });
}

void ThumbnailStore::keepWithinBudget()
{
    while (bytes_ > budget_) {
        auto oldest = entries_.end();
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->done && !it->image.isNull() && (oldest == entries_.end() || it->lastUse < oldest->lastUse))
                oldest = it;
        if (oldest == entries_.end()) return;
        bytes_ -= BytesOf(oldest->image);
        entries_.erase(oldest);
    }
}

}  // namespace browser
