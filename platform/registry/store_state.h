#pragma once

#include <chrono>
#include <string>
#include <vector>

// What the program needs to know about the registry's file beyond its keys and values: whether it
// can be used at all, how long a thread waits for another process that holds it, and what went
// wrong with it that the user should hear of.
namespace registry {

// How long the calling thread waits for another process's transaction to end (and for another
// thread of this process using the store) before its call answers kCantRead or kCantWrite. A minute
// unless set: a second running instance waits for the first. A window's thread sets a fraction of a
// second, so that a registry held locked never freezes it.
void SetBusyTimeout(std::chrono::milliseconds timeout);
std::chrono::milliseconds BusyTimeout();

// Another busy timeout for the calling thread while it lives: none at all for questions asked
// whenever the event loop is idle, which must never wait.
class ScopedBusyTimeout {
public:
    explicit ScopedBusyTimeout(std::chrono::milliseconds timeout);
    ~ScopedBusyTimeout();
    ScopedBusyTimeout(const ScopedBusyTimeout&) = delete;
    ScopedBusyTimeout& operator=(const ScopedBusyTimeout&) = delete;

private:
    std::chrono::milliseconds saved_;
};

// Whether the store can be used now, trying it with the calling thread's busy timeout. Busy while
// another process holds it locked; Unusable when its file cannot be opened or made, with the reason
// in words for the user.
enum class StoreState { Ready, Busy, Unusable };
StoreState CheckStore(std::string& reason);

// Keeps the store in memory, empty, for as long as the environment names the file it stands in for:
// the program can run (components are registered there) while the file cannot be used, and nothing
// is saved.
void KeepStoreInMemory();

// Something that happened to the settings that the user should hear of, each kind once per run.
struct StoreNotice {
    enum class Kind {
        Replaced,  // the file was damaged; `file` is where it was kept, a fresh one took its place
        ReadOnly,  // settings can be read but not saved: `detail` says why
        Busy,      // a write gave up while another program held the file locked
    };
    Kind kind;
    std::string file;
    std::string detail;
};
// The notices since the last call, oldest first.
std::vector<StoreNotice> TakeStoreNotices();
// Whether TakeStoreNotices has something; never waits, so it may be asked whenever the loop is idle.
bool StoreNoticesPending();

}  // namespace registry
