#include "app/export/interrupt_guard.h"

#include <atomic>

namespace html_export {

namespace {

// Written by the signal handler, hence lock-free.
std::atomic<bool> interruptedFlag = false;
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void noteInterrupt(int)
{
    interruptedFlag = true;
}

}  // namespace

InterruptGuard::InterruptGuard()
{
    interruptedFlag = false;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

InterruptGuard::~InterruptGuard()
{
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}

bool InterruptGuard::interrupted() const
{
    return interruptedFlag;
}

}  // namespace html_export
