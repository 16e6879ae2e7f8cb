#pragma once

#include "app/export/export_problem.h"
#include "app/export/export_report.h"
#include "app/export/export_state.h"
#include "app/export/jpeg_converter.h"
#include "app/export/manual_reset_event.h"
#include "app/export/map_snapshot.h"
#include "app/export/site_writer.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace html_export {

struct ExportSettings {
    // The open map, copied on the thread that owns its document.
    MapSnapshot root;
    // Where the open map is saved: names the site's root and is never exported twice.
    QString documentPath;
    // The folder that receives the site; it exists already.
    QString exportFolder;
    // The program's pin picture and how linked maps are loaded (on the worker thread).
    SiteWriter::Settings site;
    JpegConverter::Convert convertPicture = &JpegConverter::ConvertToJpeg;
    // Threads converting pictures in the writing pass; 0 takes one per core.
    int conversionThreads = 0;
    // How long dropping a job waits for its worker to end.
    std::chrono::milliseconds stopTimeout{10000};
};

// One export of a map and every map below it as a web site. Creating the job starts its worker
// thread, which waits for start(); it then counts the work units of the whole site, writes the site,
// and sets done. Files that cannot be made are noted in problems() and the export goes on.
//
// Thread: the job is driven from one thread (the one that created it); done, position and total
// may be read at any time while the worker runs. The worker initialises the component runtime for
// itself, so linked maps are loaded into components of its own.
class ExportJob {
public:
    explicit ExportJob(ExportSettings settings);
    // Cancels an export still running and waits up to the settings' stopTimeout for the worker to
    // end. A worker that takes longer (a conversion held up by a slow file) is left to end on its
    // own: it shares ownership of everything it uses, so it outlives the job safely.
    ~ExportJob();
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    void start();
    // Honoured at the worker's next check: before each spot, before each picture and after each
    // linked map. Conversions already running finish; files already written stay. The pictures of a
    // photo spot whose page is due (its picture loop had ended) are still made, so that the page is
    // written; those of a spot the cancel cut short are skipped, and it gets no page.
    void cancel();

    bool done() const { return work_->state.done; }
    bool cancelled() const { return work_->state.cancel; }
    int position() const { return work_->state.position; }
    int total() const { return work_->state.total; }

    // True when the export has ended within `timeout`.
    bool waitUntilDone(std::chrono::milliseconds timeout);

    // The files that could not be made; complete once done.
    std::vector<ExportProblem> problems() const { return work_->report.problems(); }

private:
    // What the job and its worker share.
    struct Work {
        explicit Work(ExportSettings settings) : settings(std::move(settings)) {}
        const ExportSettings settings;
        ExportState state;
        ExportReport report;
        ManualResetEvent started;
        // Set when the worker has nothing more to do: the export ended, or the job was dropped first.
        ManualResetEvent finished;
        std::atomic<bool> abandoned = false;
    };

    static void Run(Work& work);

    std::shared_ptr<Work> work_;
    std::thread worker_;
};

}  // namespace html_export
