#pragma once

#include "app/export/export_report.h"
#include "app/export/export_state.h"
#include "app/export/jpeg_converter.h"
#include "app/export/pending_page.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace html_export {

// One work unit: a picture converted to its targets.
struct ConversionTask {
    QString source;
    std::vector<JpegTarget> targets;
    // The photo spot's page that names the picture: the picture is skipped once a cancel abandoned
    // that page. A map picture has none and is always made, like the index page that shows it.
    std::shared_ptr<PendingPage> page;
};

// Runs the conversions of the writing pass on several threads. Each conversion writes only its own
// files and depends on nothing but its source, so the files are the same whatever the order or the
// number of threads. The queue holds only a few tasks ahead of the threads, so the pass that fills
// it stays close to the work actually done and sees a cancel where it should.
//
// Thread: submit() and finish() from the one thread that owns the queue.
class ConversionQueue {
public:
    // `threads` 0 takes one thread per core.
    ConversionQueue(int threads, JpegConverter::Convert convert, ExportState& state, ExportReport& report);
    ~ConversionQueue();
    ConversionQueue(const ConversionQueue&) = delete;
    ConversionQueue& operator=(const ConversionQueue&) = delete;

    // Waits while the queue is full.
    void submit(ConversionTask task);

    // Returns when every submitted task has been converted or skipped.
    void finish();

private:
    void work();

    const JpegConverter::Convert convert_;
    ExportState& state_;
    ExportReport& report_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ConversionTask> pending_;
    int running_ = 0;
    bool closing_ = false;
    std::size_t capacity_;
    std::vector<std::thread> threads_;
};

}  // namespace html_export
