#pragma once

#include "platform/shell/shell_services.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace test_support {

// Answers the shell's dialogs in place of the user, from a script of answers given beforehand, and
// records what was asked. Installed for its lifetime. A dialog without a scripted answer fails the
// test and is answered as cancelled.
class ScriptedShellServices final : public shell::ShellServices {
public:
    ScriptedShellServices();
    ~ScriptedShellServices() override;
    ScriptedShellServices(const ScriptedShellServices&) = delete;
    ScriptedShellServices& operator=(const ScriptedShellServices&) = delete;

    // The next open-file dialog gives `path`; nothing stands for Cancel.
    void answerOpenFile(std::optional<QString> path) { openFileAnswers_.push_back({path.has_value(), path.value_or(QString())}); }

    struct OpenFileRequest {
        std::vector<shell::FileFilter> filters;
        int selectedFilter;
    };
    const std::vector<OpenFileRequest>& openFileRequests() const { return openFileRequests_; }
    int refusedSounds() const { return refusedSounds_; }

    std::optional<QString> openFileName(std::span<const shell::FileFilter> filters, int selectedFilter) override;
    void playRefusedSound() override { ++refusedSounds_; }

private:
    struct Answer {
        bool chosen;
        QString path;
    };
    std::deque<Answer> openFileAnswers_;
    std::vector<OpenFileRequest> openFileRequests_;
    int refusedSounds_ = 0;
};

}  // namespace test_support
