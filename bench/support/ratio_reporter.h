#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench_support {

// Reports to the console as usual, then the ratio of the real time of each pair of benchmarks it
// was given, named by their functions: how one measured way compares with another.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Ratio {
        std::string label;
        std::string numerator, denominator;
    };
    explicit RatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<Ratio> ratios_;
    std::map<std::string, double> seconds_;
};

}  // namespace bench_support
