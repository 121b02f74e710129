#pragma once

#include "core/settings/AppSettings.h"
#include "core/solver/SolveResult.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/solver/SolveDialogs.h"
#include "gui/solver/SolverStatusDisplay.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace tessemar {

class CLogicDoc;
class IniFile;
struct SolveResult;

// The application's one solver: the Solve, Hint, Break and Calculate number commands, the run
// on its worker thread, the cells and progress it reports while it works, and the write-back
// and report at its end. Only one run exists in the whole application at a time.
class CSolveController : public QObject, public CommandTarget {
    Q_OBJECT
  public:
    // activeDocument gives the document of the active window, or null. reportSettings keeps the
    // report window's rectangle (may be null).
    CSolveController(AppSettings& settings, SolverStatusDisplay& status,
                     std::function<CLogicDoc*()> activeDocument, QWidget* dialogParent,
                     const IniFile* reportSettings = nullptr);
    ~CSolveController() override;

    // Replaces the message boxes, report window and sounds (tests answer them).
    void SetDialogs(std::unique_ptr<SolveDialogs> dialogs);
    // Called before a run or a calculation starts on a document, so that what a window still
    // holds in its in-place box goes into the document first.
    void SetFinishEditing(std::function<void(CLogicDoc&)> finishEditing) { finishEditing_ = std::move(finishEditing); }

    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    void OnUpdateCommand(int id, CommandState& state) override;

    // SolveCommandSolve or SolveCommandHint on the active document.
    void StartSolving(SolveCommand command);
    // Asks the running solve to stop at its next line; it then ends as usual, with the
    // "stopped" result. False when nothing runs.
    bool Break();
    // The Escape key: breaks a running solve; false (not consumed) when none runs.
    bool OnEscapeKey() { return Break(); }
    void CalculateNumber();

    // No run exists: neither working nor finishing.
    bool IsIdle() const { return solverThread_ == nullptr && !finishing_ && !asking_; }
    CLogicDoc* SolvingDocument() const { return solvingDocument_; }
    // doc's window is closing: a run on it is stopped and waited for, and the status bar
    // forgets it. The document may be destroyed once this returns.
    void OnDocumentClosing(CLogicDoc& doc);

    // Stores what a window's in-place box holds and drops a floating fragment into the picture:
    // what a run, a calculation or a check reads or writes must be the whole document.
    void CloseEditors(CLogicDoc& doc) const;

    // True while a run object exists (the worker may have ended already).
    bool HasRunObject() const { return solverThread_ != nullptr; }

  private:
    struct Run;
    class Bridge;

    // Handlers of what the worker reports, on this object's thread.
    void ApplyCells();
    void ShowSolveProgress(int knownCells);
    void OnRunFinished(int command);
    void FinishRun(bool hint);
    // The contradiction's status text and message (or its sound).
    void ReportContradiction(const std::string& statusText, const std::string& message);
    // Stops the worker, lets it out of any wait for this thread, waits for its end.
    void StopAndJoin(Run& run);
    void EndOfRun();
    // A command of others that is disabled now because of a run. The controller stands first
    // in the command route, so its answer holds the command back wherever it is handled.
    bool Withholds(int id) const;

    AppSettings& settings_;
    SolverStatusDisplay& status_;
    std::function<CLogicDoc*()> activeDocument_;
    std::function<void(CLogicDoc&)> finishEditing_;
    std::unique_ptr<SolveDialogs> dialogs_;

    // The stop request the worker polls before each line: 1 while no run works (or the user
    // asked to stop), 0 while a run works.
    std::atomic<int> solverIdle_{1};
    // The running or finishing run with its thread object; null when none.
    std::unique_ptr<Run> solverThread_;
    // The document the run started on, until the end of its finishing path or its closing.
    CLogicDoc* solvingDocument_ = nullptr;
    // The finishing path runs (it may show modal windows).
    bool finishing_ = false;
    // The document whose failed clue check is being asked about; null when it closes meanwhile.
    CLogicDoc* askingDocument_ = nullptr;
    bool asking_ = false;
};

}  // namespace tessemar
