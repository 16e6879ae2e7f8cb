#pragma once

#include <cstdio>

namespace html_export {

// Shows an export's progress (work units done of total) on a stream: a bar redrawn in place on a
// terminal, else one line per change, for logs and pipes.
class ProgressMeter {
public:
    explicit ProgressMeter(std::FILE* stream);
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    // Shows nothing until the writing pass has begun (position above 0), like the dialog's bar.
    void show(int position, int total);
    // Ends the bar's line, so what follows starts on a line of its own.
    void finish();

private:
    std::FILE* stream_;
    bool terminal_;
    int shownPosition_ = 0;
    int shownTotal_ = 0;
};

}  // namespace html_export
