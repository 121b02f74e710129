#pragma once

#include "gui/app/CLogicApp.h"
#include "gui/common/Prompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <deque>
#include <filesystem>
#include <optional>
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
};

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A program instance whose settings file, socket and desktop folders all lie in dir, and which
// runs no desktop database tools.
inline AppOptions TestAppOptions(const TempDir& dir) {
    std::filesystem::create_directories(dir.Path() + "/system");
    AppOptions options;
    options.iniPath = Q(dir.File("Tessemar.INI"));
    options.socketPath = Q(dir.File("app.socket"));
    options.xdg = XdgLocations{
        Q(dir.Path() + "/data"), Q(dir.Path() + "/config"), {Q(dir.Path() + "/system")}};
    options.programPath = QStringLiteral("/usr/bin/tessemar");
    options.runDatabaseTools = false;
    return options;
}

// Writes a small valid document file.
void WriteSampleDocument(const std::string& path, int columns = 5, int rows = 4);
// Writes bytes that are no document.
void WriteBadFile(const std::string& path);

}  // namespace tessemar
