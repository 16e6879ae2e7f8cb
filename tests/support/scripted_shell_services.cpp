#include "tests/support/scripted_shell_services.h"

#include <gtest/gtest.h>

namespace test_support {

ScriptedShellServices::ScriptedShellServices()
{
    shell::InstallServices(this);
}

ScriptedShellServices::~ScriptedShellServices()
{
    shell::InstallServices(nullptr);
    EXPECT_TRUE(openFileAnswers_.empty()) << "scripted answers left unused";
}

std::optional<QString> ScriptedShellServices::openFileName(std::span<const shell::FileFilter> filters,
                                                           int selectedFilter)
{
    openFileRequests_.push_back({{filters.begin(), filters.end()}, selectedFilter});
    if (openFileAnswers_.empty()) {
        ADD_FAILURE() << "an open-file dialog was shown without a scripted answer";
        return std::nullopt;
    }
    const Answer answer = openFileAnswers_.front();
    openFileAnswers_.pop_front();
    if (!answer.chosen) return std::nullopt;
    return answer.path;
}

}  // namespace test_support
