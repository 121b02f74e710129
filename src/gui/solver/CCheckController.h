#pragma once

#include "core/solver/UniquenessCheck.h"
#include "gui/commands/CommandTable.h"
#include "gui/solver/CheckDialogs.h"
#include "gui/solver/SolverStatusDisplay.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace tessemar {

class CLogicDoc;
class CSolveController;
class CViewCompanion;

// The Check Uniqueness command: decides on a worker thread whether the active document's clues
// have one solution, several or none, shows the progress in the status bar, reports the
// verdict, marks the cells where two solutions differ over the picture and offers to write
// either solution into it as one undo entry. A check and a solve never run at the same time:
// the check starts only while the solver is idle, and holds the solver's commands back while
// it runs. Break (and Escape) stops a running check, and otherwise removes the marks.
class CCheckController : public QObject, public CommandTarget {
    Q_OBJECT
  public:
    // companionOf gives the shared state of a document's window, or null.
    CCheckController(CSolveController& solver, SolverStatusDisplay& status,
                     std::function<CLogicDoc*()> activeDocument,
                     std::function<CViewCompanion*(CLogicDoc&)> companionOf, QWidget* dialogParent);
    ~CCheckController() override;

    void SetDialogs(std::unique_ptr<CheckDialogs> dialogs);

    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    void OnUpdateCommand(int id, CommandState& state) override;

    void StartCheck();
    bool IsRunning() const { return run_ != nullptr; }
    // doc's window is closing: a check of it is stopped and waited for.
    void OnDocumentClosing(CLogicDoc& doc);

  private:
    struct Run;

    void ShowPhase(CheckPhase phase);
    void OnCheckFinished();
    void Report(const CheckResult& result, bool documentChanged);
    void WriteSolution(const CheckResult& result, bool second);
    void StopAndJoin();
    CViewCompanion* ActiveCompanion() const;

    CSolveController& solver_;
    SolverStatusDisplay& status_;
    std::function<CLogicDoc*()> activeDocument_;
    std::function<CViewCompanion*(CLogicDoc&)> companionOf_;
    std::unique_ptr<CheckDialogs> dialogs_;
    std::unique_ptr<Run> run_;
    // Numbers the runs, so that what a stopped run posted late is not taken for the next one's.
    int runSerial_ = 0;
    // The document being checked, then reported on; null when its window closed meanwhile.
    CLogicDoc* document_ = nullptr;
};

}  // namespace tessemar
