#include "tests/support/watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace test_support {

Watchdog::Watchdog(std::string what, std::chrono::milliseconds limit)
    : thread_([this, what = std::move(what), limit] {
          std::unique_lock lock(mutex_);
          if (ended_.wait_for(lock, limit, [this] { return done_; })) return;
          std::fprintf(stderr, "Watchdog: %s took more than %lld ms; the test program is ended.\n", what.c_str(),
                       static_cast<long long>(limit.count()));
          std::fflush(stderr);
          std::_Exit(1);
      })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    ended_.notify_one();
    thread_.join();
}

}  // namespace test_support
