#include "tests/support/scripted_shell_services.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace test_support {

ScriptedShellServices::ScriptedShellServices()
{
    shell::InstallServices(this);
}

ScriptedShellServices::~ScriptedShellServices()
{
    shell::InstallServices(nullptr);
    EXPECT_TRUE(openFileAnswers_.empty() && saveFileAnswers_.empty() && folderAnswers_.empty() &&
                messageAnswers_.empty() && choiceAnswers_.empty())
        << "scripted answers left unused";
}

std::optional<QString> ScriptedShellServices::take(std::deque<PathAnswer>& answers, const char* dialog)
{
    if (answers.empty()) {
        ADD_FAILURE() << "a " << dialog << " was shown without a scripted answer";
        return std::nullopt;
    }
    const PathAnswer answer = answers.front();
    answers.pop_front();
    if (!answer.chosen) return std::nullopt;
    return answer.path;
}

std::vector<QString> ScriptedShellServices::messageTexts() const
{
    std::vector<QString> texts;
    for (const Message& message : messages_) texts.push_back(message.text);
    return texts;
}

std::optional<QString> ScriptedShellServices::openFileName(QWidget* owner, std::span<const shell::FileFilter> filters,
                                                           int selectedFilter)
{
    openFileRequests_.push_back({owner, {filters.begin(), filters.end()}, selectedFilter});
    return take(openFileAnswers_, "open-file dialog");
}

shell::MessageAnswer ScriptedShellServices::messageBox(QWidget*, const QString& text, const QString& title,
                                                       shell::MessageButtons buttons, shell::MessageIcon icon)
{
    messages_.push_back({text, title, buttons, icon});
    // A box with only OK takes no scripted answer: there is nothing to choose.
    if (buttons == shell::MessageButtons::Ok) return shell::MessageAnswer::Ok;
    if (messageAnswers_.empty()) {
        ADD_FAILURE() << "a message box was shown without a scripted answer";
        return shell::MessageAnswer::Cancel;
    }
    const shell::MessageAnswer answer = messageAnswers_.front();
    messageAnswers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedShellServices::saveFileName(QWidget*, std::span<const shell::FileFilter> filters,
                                                           const QString& initialName, const QString& defaultSuffix)
{
    saveFileRequests_.push_back({{filters.begin(), filters.end()}, initialName, defaultSuffix});
    return take(saveFileAnswers_, "save-file dialog");
}

std::optional<QString> ScriptedShellServices::folderName(QWidget*, const QString& prompt)
{
    folderPrompts_.push_back(prompt);
    return take(folderAnswers_, "folder browser");
}

void ScriptedShellServices::openDocument(const QString& file, std::function<void(bool opened)> done)
{
    documentRequests_.push_back(file);
    done(std::none_of(refusedDocumentSuffixes_.begin(), refusedDocumentSuffixes_.end(),
                      [&file](const QString& suffix) { return file.endsWith(suffix); }));
}

std::optional<int> ScriptedShellServices::chooseOne(QWidget*, const QString& title, const QString& prompt,
                                                    const QStringList& choices, int initial)
{
    choiceQuestions_.push_back({title, prompt, choices, initial});
    if (choiceAnswers_.empty()) {
        ADD_FAILURE() << "a choice was asked without a scripted answer";
        return std::nullopt;
    }
    const int answer = choiceAnswers_.front();
    choiceAnswers_.pop_front();
    if (answer == kCancelled) return std::nullopt;
    return answer;
}

}  // namespace test_support
