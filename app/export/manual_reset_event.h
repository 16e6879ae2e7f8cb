#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace html_export {

// An event that stays signalled until it is reset, releasing every waiter meanwhile.
//
// Thread: any.
class ManualResetEvent {
public:
    void set();
    void reset();
    void wait();
    // True when the event was signalled within `timeout`.
    bool waitFor(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

}  // namespace html_export
