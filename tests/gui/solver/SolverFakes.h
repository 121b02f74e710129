#pragma once

#include "core/document/CLogicDoc.h"
#include "gui/solver/SolveDialogs.h"
#include "gui/solver/SolverStatusDisplay.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace tessemar {

// One log that the status bar, the dialogs and a document observer write into, so that tests
// can check the order of what the user sees.
struct EventLog {
    QStringList events;
    int IndexOf(const QString& event) const { return static_cast<int>(events.indexOf(event)); }
};

class RecordingStatus : public SolverStatusDisplay {
  public:
    explicit RecordingStatus(EventLog& log) : log_(log) {}
    void SetSolverMessage(const QString& text) override {
        messages.push_back(text);
        log_.events << QStringLiteral("message:") + text;
    }
    void SetSolverIcon(Icon icon) override { icons.push_back(icon); }
    void ShowSolverProgress() override { log_.events << QStringLiteral("show-progress"); }
    void SetSolverProgress(int, const QString& text) override { lastProgressText = text; }
    void HideSolverProgress() override { log_.events << QStringLiteral("hide-progress"); }
    void StartSolverAnimation() override { animating = true; }
    void StopSolverAnimation() override { animating = false; }

    std::vector<QString> messages;
    std::vector<Icon> icons;
    QString lastProgressText;
    bool animating = false;

  private:
    EventLog& log_;
};

class FakeDialogs : public SolveDialogs {
  public:
    explicit FakeDialogs(EventLog& log) : log_(log) {}
    bool AskSolveAnyway(const QString& text) override {
        questions << text;
        if (onQuestion)
            onQuestion();
        return answerYes;
    }
    void ShowContradiction(const QString& text) override { contradictions << text; }
    void ShowReport(const Report& report) override {
        reports.push_back(report);
        log_.events << QStringLiteral("report");
        if (onReport)
            onReport();
    }
    void PlaySound(Sound sound) override { sounds.push_back(sound); }

    bool answerYes = true;
    std::function<void()> onQuestion;
    std::function<void()> onReport;
    QStringList questions;
    QStringList contradictions;
    std::vector<Report> reports;
    std::vector<Sound> sounds;

  private:
    EventLog& log_;
};

// Logs every cell the document changes, with its new value.
class CellLogger : public DocumentObserver {
  public:
    CellLogger(CLogicDoc& doc, EventLog& log) : doc_(doc), log_(log) { doc_.AddObserver(this); }
    ~CellLogger() override { doc_.RemoveObserver(this); }
    CellLogger(const CellLogger&) = delete;
    CellLogger& operator=(const CellLogger&) = delete;
    void OnCellChanged(int x, int y) override {
        log_.events << QStringLiteral("cell:%1").arg(doc_.Cell(x, y));
    }

  private:
    CLogicDoc& doc_;
    EventLog& log_;
};

}  // namespace tessemar
