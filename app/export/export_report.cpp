#include "app/export/export_report.h"

#include <algorithm>

namespace html_export {

void ExportReport::add(ExportProblem problem)
{
    std::lock_guard lock(mutex_);
    problems_.push_back(std::move(problem));
}

void ExportReport::add(const std::vector<ExportProblem>& problems)
{
    std::lock_guard lock(mutex_);
    problems_.insert(problems_.end(), problems.begin(), problems.end());
}

std::vector<ExportProblem> ExportReport::problems() const
{
    std::vector<ExportProblem> sorted;
    {
        std::lock_guard lock(mutex_);
        sorted = problems_;
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const ExportProblem& a, const ExportProblem& b) { return a.path < b.path; });
    return sorted;
}

}  // namespace html_export
