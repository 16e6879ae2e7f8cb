#pragma once

#include <atomic>

namespace html_export {

// What the worker and whoever watches it share. Each flag and counter has one writer: the worker
// (and its conversion threads) for done, position and total, the watcher for cancel. A stale read
// only delays progress or the end by one look.
struct ExportState {
    std::atomic<bool> done = false;
    std::atomic<bool> cancel = false;
    // Work units (map pictures and photo-spot pictures) converted in the writing pass...
    std::atomic<int> position = 0;
    // ...of those counted in the counting pass.
    std::atomic<int> total = 0;
};

}  // namespace html_export
