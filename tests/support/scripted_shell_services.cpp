#include "tests/support/scripted_shell_services.h"

#include <gtest/gtest.h>

namespace test_support {

namespace {

// The next scripted answer, or the failure of a dialog nobody expected.
template <class Answer>
Answer next(std::deque<Answer>& answers, const char* dialog, Answer cancelled)
{
    if (answers.empty()) {
        ADD_FAILURE() << "a " << dialog << " was shown without a scripted answer";
        return cancelled;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

ScriptedShellServices::ScriptedShellServices()
{
    shell::InstallServices(this);
}

ScriptedShellServices::~ScriptedShellServices()
{
    shell::InstallServices(nullptr);
    EXPECT_TRUE(openFileAnswers_.empty() && saveFileAnswers_.empty() && folderAnswers_.empty() &&
                messageAnswers_.empty())
        << "scripted answers left unused";
}

std::vector<QString> ScriptedShellServices::messageTexts() const
{
    std::vector<QString> texts;
    for (const Message& message : messages_) texts.push_back(message.text);
    return texts;
}

std::optional<QString> ScriptedShellServices::openFileName(std::span<const shell::FileFilter> filters,
                                                           int selectedFilter)
{
    openFileRequests_.push_back({{filters.begin(), filters.end()}, selectedFilter});
    return next<std::optional<QString>>(openFileAnswers_, "open-file dialog", std::nullopt);
}

shell::MessageAnswer ScriptedShellServices::messageBox(QWidget*, const QString& text, const QString& title,
                                                       shell::MessageButtons buttons, shell::MessageIcon icon)
{
    messages_.push_back({text, title, buttons, icon});
    // A box with only OK takes no scripted answer: there is nothing to choose.
    if (buttons == shell::MessageButtons::Ok) return shell::MessageAnswer::Ok;
    return next(messageAnswers_, "message box", shell::MessageAnswer::Cancel);
}

std::optional<QString> ScriptedShellServices::saveFileName(QWidget*, std::span<const shell::FileFilter> filters,
                                                           const QString& initialName, const QString& defaultSuffix)
{
    saveFileRequests_.push_back({{filters.begin(), filters.end()}, initialName, defaultSuffix});
    return next<std::optional<QString>>(saveFileAnswers_, "save-file dialog", std::nullopt);
}

std::optional<QString> ScriptedShellServices::folderName(QWidget*, const QString& prompt)
{
    folderPrompts_.push_back(prompt);
    return next<std::optional<QString>>(folderAnswers_, "folder browser", std::nullopt);
}

}  // namespace test_support
