#include "bench/support/ratio_reporter.h"

#include <cstdio>

namespace bench_support {

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
        if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
            seconds_[run.run_name.function_name] = run.real_accumulated_time / double(run.iterations);
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\nRatios of real time:\n");
    for (const Ratio& ratio : ratios_) {
        const auto numerator = seconds_.find(ratio.numerator);
        const auto denominator = seconds_.find(ratio.denominator);
        if (numerator == seconds_.end() || denominator == seconds_.end() || denominator->second <= 0)
            std::printf("  %-60s (not measured)\n", ratio.label.c_str());
        else
            std::printf("  %-60s %6.2f\n", ratio.label.c_str(), numerator->second / denominator->second);
    }
}

}  // namespace bench_support
