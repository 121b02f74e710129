#pragma once

#include "gui/common/Prompter.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tessemar {

// Answers the program's questions and file dialogs from a script and records what it was
// asked, so that no test waits on a message box. Installed for its lifetime.
class ScriptedPrompter : public Prompter {
  public:
    ScriptedPrompter() { SetCurrentPrompter(this); }
    ~ScriptedPrompter() override { SetCurrentPrompter(nullptr); }

    std::deque<Answer> answers;
    // nullopt: the user cancels the dialog.
    std::deque<std::optional<QString>> files;
    // nullopt: the user cancels the chooser.
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<FontChoice>> fonts;

    QStringList questions;
    QStringList errors;
    QStringList informations;
    std::vector<FileDialogRequest> requests;

    Answer Ask(const QString& text, bool withCancel) override {
        questions.push_back(text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return withCancel ? Answer::Cancel : Answer::No;
        }
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Answer Confirm(const QString& text) override { return Ask(text, false); }
    void ShowError(const QString& text) override { errors.push_back(text); }
    void ShowInformation(const QString& text) override { informations.push_back(text); }
    bool PromptForFile(FileDialogRequest& request) override {
        requests.push_back(request);
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
            return false;
        }
        std::optional<QString> file = files.front();
        files.pop_front();
        if (!file)
            return false;
        request.path = *file;
        return true;
    }
    bool PromptForColor(QColor& color) override { return Take(colors, color, "colour chooser"); }
    bool PromptForFont(FontChoice& font) override { return Take(fonts, font, "font chooser"); }

  private:
    template <typename T>
    static bool Take(std::deque<std::optional<T>>& script, T& value, const char* what) {
        if (script.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return false;
        }
        const std::optional<T> answer = script.front();
        script.pop_front();
        if (answer)
            value = *answer;
        return answer.has_value();
    }
};

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace tessemar
