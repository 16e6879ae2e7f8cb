#include "app/export/export_job.h"

#include "app/export/conversion_queue.h"
#include "platform/com/runtime.h"

namespace html_export {

ExportJob::ExportJob(ExportSettings settings)
    : work_(std::make_shared<Work>(std::move(settings))), worker_([work = work_] { Run(*work); })
{
}

ExportJob::~ExportJob()
{
    work_->abandoned = true;
    work_->state.cancel = true;
    work_->started.set();
    if (work_->finished.waitFor(work_->settings.stopTimeout))
        worker_.join();
    else
        worker_.detach();
}

void ExportJob::start()
{
    work_->started.set();
}

void ExportJob::cancel()
{
    work_->state.cancel = true;
}

bool ExportJob::waitUntilDone(std::chrono::milliseconds timeout)
{
    return work_->finished.waitFor(timeout);
}

void ExportJob::Run(Work& work)
{
    work.started.wait();
    if (work.abandoned) {
        work.finished.set();
        return;
    }
    {
        com::ApartmentScope apartment;
        const ExportSettings& settings = work.settings;
        SiteWriter(settings.site, work.state, work.report, nullptr)
            .writeSite(settings.root, settings.documentPath, settings.exportFolder);
        // The writing pass runs even after a cancel in the counting pass: the root's map picture and
        // index page are always made, so the folder never holds a site without its first page.
        ConversionQueue conversions(settings.conversionThreads, settings.convertPicture, work.state, work.report);
        SiteWriter(settings.site, work.state, work.report, &conversions)
            .writeSite(settings.root, settings.documentPath, settings.exportFolder);
        conversions.finish();
    }
    work.started.reset();
    work.state.done = true;
    work.finished.set();
}

}  // namespace html_export
