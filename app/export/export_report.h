#pragma once

#include "app/export/export_problem.h"

#include <mutex>
#include <vector>

namespace html_export {

// The files an export could not make. Conversions finish in any order, so the list is given sorted
// by path: the same export always reports the same way.
//
// Thread: any; the worker and the conversion threads add to it at the same time.
class ExportReport {
public:
    void add(ExportProblem problem);
    void add(const std::vector<ExportProblem>& problems);
    std::vector<ExportProblem> problems() const;

private:
    mutable std::mutex mutex_;
    std::vector<ExportProblem> problems_;
};

}  // namespace html_export
