#pragma once

#include "platform/shell/shell_services.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace test_support {

// Answers the shell's dialogs in place of the user, from a script of answers given beforehand, and
// records what was asked. Installed for its lifetime. A dialog without a scripted answer fails the
// test and is answered as cancelled; answers left unused at the end fail it too.
class ScriptedShellServices final : public shell::ShellServices {
public:
    ScriptedShellServices();
    ~ScriptedShellServices() override;
    ScriptedShellServices(const ScriptedShellServices&) = delete;
    ScriptedShellServices& operator=(const ScriptedShellServices&) = delete;

    // The next open-file, save-file or folder dialog gives `path`; nothing stands for Cancel.
    void answerOpenFile(const std::optional<QString>& path) { openFileAnswers_.push_back(PathAnswer::Of(path)); }
    void answerSaveFile(const std::optional<QString>& path) { saveFileAnswers_.push_back(PathAnswer::Of(path)); }
    void answerFolder(const std::optional<QString>& path) { folderAnswers_.push_back(PathAnswer::Of(path)); }
    // Documents of a type ending in `suffix` (".chm") find no program to open them; every other
    // document is opened.
    void refuseDocuments(const QString& suffix) { refusedDocumentSuffixes_.push_back(suffix); }
    // The next chooseOne question takes choice `index`; nothing stands for Cancel.
    void answerChoice(std::optional<int> index) { choiceAnswers_.push_back(index.value_or(kCancelled)); }
    // The next message box with a choice is answered so; boxes with only OK answer OK unscripted.
    void answerMessage(shell::MessageAnswer answer) { messageAnswers_.push_back(answer); }

    struct OpenFileRequest {
        QWidget* owner;
        std::vector<shell::FileFilter> filters;
        int selectedFilter;
    };
    struct SaveFileRequest {
        std::vector<shell::FileFilter> filters;
        QString initialName;
        QString defaultSuffix;
    };
    struct ChoiceQuestion {
        QString title;
        QString prompt;
        QStringList choices;
        int initial;
    };
    struct Message {
        QString text;
        QString title;
        shell::MessageButtons buttons;
        shell::MessageIcon icon;
    };
    const std::vector<OpenFileRequest>& openFileRequests() const { return openFileRequests_; }
    const std::vector<SaveFileRequest>& saveFileRequests() const { return saveFileRequests_; }
    const std::vector<QString>& folderPrompts() const { return folderPrompts_; }
    const std::vector<ChoiceQuestion>& choiceQuestions() const { return choiceQuestions_; }
    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<QString>& shownFolders() const { return shownFolders_; }
    // The documents the desktop was asked to open, refused ones included, in order.
    const std::vector<QString>& documentRequests() const { return documentRequests_; }
    int refusedSounds() const { return refusedSounds_; }
    // The texts of the message boxes shown so far, in order.
    std::vector<QString> messageTexts() const;

    std::optional<QString> openFileName(QWidget* owner, std::span<const shell::FileFilter> filters,
                                        int selectedFilter) override;
    void playRefusedSound() override { ++refusedSounds_; }
    shell::MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& title,
                                    shell::MessageButtons buttons, shell::MessageIcon icon) override;
    std::optional<QString> saveFileName(QWidget* owner, std::span<const shell::FileFilter> filters,
                                        const QString& initialName, const QString& defaultSuffix) override;
    std::optional<QString> folderName(QWidget* owner, const QString& prompt) override;
    std::optional<int> chooseOne(QWidget* owner, const QString& title, const QString& prompt,
                                 const QStringList& choices, int initial) override;
    void showFolder(const QString& folder) override { shownFolders_.push_back(folder); }
    // Answers at once, before returning.
    void openDocument(const QString& file, std::function<void(bool opened)> done) override;

private:
    // Kept apart rather than as an optional, which g++ warns about when a deque moves it out.
    struct PathAnswer {
        bool chosen = false;
        QString path;
        static PathAnswer Of(const std::optional<QString>& path) { return {path.has_value(), path.value_or(QString())}; }
    };
    static std::optional<QString> take(std::deque<PathAnswer>& answers, const char* dialog);
    static constexpr int kCancelled = -1;

    std::deque<PathAnswer> openFileAnswers_;
    std::deque<PathAnswer> saveFileAnswers_;
    std::deque<PathAnswer> folderAnswers_;
    std::deque<shell::MessageAnswer> messageAnswers_;
    std::deque<int> choiceAnswers_;
    std::vector<OpenFileRequest> openFileRequests_;
    std::vector<SaveFileRequest> saveFileRequests_;
    std::vector<QString> folderPrompts_;
    std::vector<ChoiceQuestion> choiceQuestions_;
    std::vector<Message> messages_;
    std::vector<QString> shownFolders_;
    std::vector<QString> refusedDocumentSuffixes_;
    std::vector<QString> documentRequests_;
    int refusedSounds_ = 0;
};

}  // namespace test_support
