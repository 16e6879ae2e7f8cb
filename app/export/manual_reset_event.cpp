#include "app/export/manual_reset_event.h"

namespace html_export {

void ManualResetEvent::set()
{
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_all();
}

void ManualResetEvent::reset()
{
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

void ManualResetEvent::wait()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
}

bool ManualResetEvent::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return signalled_; });
}

}  // namespace html_export
