#include "app/export/progress_meter.h"

#include <algorithm>
#include <string>
#include <unistd.h>

namespace html_export {

namespace {

constexpr int kBarWidth = 40;

}  // namespace

ProgressMeter::ProgressMeter(std::FILE* stream) : stream_(stream), terminal_(::isatty(::fileno(stream)) == 1) {}

void ProgressMeter::show(int position, int total)
{
    if (position <= 0 || (position == shownPosition_ && total == shownTotal_))
        return;
    shownPosition_ = position;
    shownTotal_ = total;
    if (!terminal_) {
        // Says how far the export has come, not how it went: a picture worked through may have
        // failed, and the failures are listed at the end.
        std::fprintf(stream_, "Exporting picture %d of %d\n", position, total);
        std::fflush(stream_);
        return;
    }
    const int filled = total > 0 ? std::min(kBarWidth, position * kBarWidth / total) : kBarWidth;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, ' ');
    std::fprintf(stream_, "\r[%s] %d/%d", bar.c_str(), position, total);
    std::fflush(stream_);
}

void ProgressMeter::finish()
{
    if (terminal_ && shownPosition_ > 0) {
        std::fputc('\n', stream_);
        std::fflush(stream_);
    }
}

}  // namespace html_export
