#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace test_support {

// Ends the test program when what it guards takes longer than `limit`: a test of something that
// must not block fails at once, naming what blocked, instead of hanging the suite until CTest's
// timeout. Guards from its making to its end.
class Watchdog {
public:
    Watchdog(std::string what, std::chrono::milliseconds limit);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace test_support
