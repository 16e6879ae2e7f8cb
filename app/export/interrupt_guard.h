#pragma once

#include <csignal>

namespace html_export {

// Catches Ctrl+C (SIGINT) and SIGTERM, the signal a session or service manager ends programs with,
// for as long as it lives, so a long export can end cleanly instead of leaving its worker half way;
// the previous handlers come back afterwards.
//
// Thread: the main thread; one guard at a time.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    bool interrupted() const;

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

}  // namespace html_export
