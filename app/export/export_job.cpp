#include "app/export/export_job.h"

#include "app/export/conversion_queue.h"
#include "platform/com/runtime.h"

namespace html_export {

ExportJob::ExportJob(ExportSettings settings) : settings_(std::move(settings)), worker_([this] { run(); }) {}

ExportJob::~ExportJob()
{
    abandoned_ = true;
    state_.cancel = true;
    started_.set();
    worker_.join();
}

void ExportJob::start()
{
    started_.set();
}

void ExportJob::cancel()
{
    state_.cancel = true;
}

bool ExportJob::waitUntilDone(std::chrono::milliseconds timeout)
{
    return finished_.waitFor(timeout);
}

void ExportJob::run()
{
    started_.wait();
    if (abandoned_)
        return;
    {
        com::ApartmentScope apartment;
        SiteWriter(settings_.site, state_, report_, nullptr)
            .writeSite(settings_.root, settings_.documentPath, settings_.exportFolder);
        // The writing pass runs even after a cancel in the counting pass: the root's map picture and
        // index page are always made, so the folder never holds a site without its first page.
        ConversionQueue conversions(settings_.conversionThreads, state_, report_);
        SiteWriter(settings_.site, state_, report_, &conversions)
            .writeSite(settings_.root, settings_.documentPath, settings_.exportFolder);
        conversions.finish();
    }
    started_.reset();
    state_.done = true;
    finished_.set();
}

}  // namespace html_export
