#include "app/export/conversion_queue.h"

#include <algorithm>

namespace html_export {

ConversionQueue::ConversionQueue(int threads, JpegConverter::Convert convert, ExportState& state, ExportReport& report)
    : convert_(std::move(convert)), state_(state), report_(report)
{
    const int count = threads > 0 ? threads : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    capacity_ = static_cast<std::size_t>(count);
    for (int i = 0; i < count; ++i)
        threads_.emplace_back([this] { work(); });
}

ConversionQueue::~ConversionQueue()
{
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void ConversionQueue::submit(ConversionTask task)
{
    if (task.page)
        task.page->expectPicture();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pending_.size() < capacity_; });
    pending_.push_back(std::move(task));
    changed_.notify_all();
}

void ConversionQueue::finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pending_.empty() && running_ == 0; });
}

void ConversionQueue::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return closing_ || !pending_.empty(); });
        if (pending_.empty())
            return;
        ConversionTask task = std::move(pending_.front());
        pending_.pop_front();
        ++running_;
        changed_.notify_all();
        lock.unlock();
        if (!(task.page && task.page->abandoned())) {
            report_.add(convert_(task.source, task.targets));
            ++state_.position;
        }
        if (task.page)
            task.page->pictureDone();
        lock.lock();
        --running_;
        changed_.notify_all();
    }
}

}  // namespace html_export
