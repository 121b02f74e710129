#include "gui/solver/CCheckController.h"

#include "core/document/CLogicDoc.h"
#include "core/document/DocumentEdit.h"
#include "core/solver/CheckReport.h"
#include "core/text/StringTable.h"
#include "gui/commands/CommandIds.h"
#include "gui/common/WaitCursor.h"
#include "gui/solver/CSolveController.h"
#include "gui/view/CViewCompanion.h"

#include <QMetaObject>

#include <atomic>
#include <thread>

namespace tessemar {
namespace {

// Where the progress bar stands when each phase begins.
int PhasePercent(CheckPhase phase) {
    switch (phase) {
        case CheckPhase::LineSolving:
            return 0;
        case CheckPhase::FirstSolution:
            return 30;
        case CheckPhase::SecondSolution:
            return 65;
    }
    return 0;
}

}  // namespace

// One check: the copy of the puzzle it works on, its stop request, its thread and its result.
// While it runs it listens to the document, because a result about clues changed meanwhile
// must not mark or write cells.
struct CCheckController::Run : public DocumentObserver {
    Run(CLogicDoc& doc, int serial)
        : document(doc), number(serial), model(std::make_unique<PuzzleModel>(doc.Model())) {
        document.AddObserver(this);
    }
    ~Run() override {
        if (thread.joinable())
            thread.join();
        document.RemoveObserver(this);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    void OnCellChanged(int, int) override { documentChanged = true; }
    void OnClueSlotChanged(int, int, int) override { documentChanged = true; }
    void OnLayoutChanged() override { documentChanged = true; }

    CLogicDoc& document;
    const int number;
    std::unique_ptr<PuzzleModel> model;
    std::atomic<int> stop{0};
    // Written by the worker, read after its end.
    CheckResult result;
    bool documentChanged = false;
    std::thread thread;
};

CCheckController::CCheckController(CSolveController& solver, SolverStatusDisplay& status,
                                   std::function<CLogicDoc*()> activeDocument,
                                   std::function<CViewCompanion*(CLogicDoc&)> companionOf,
                                   QWidget* dialogParent)
    : solver_(solver),
      status_(status),
      activeDocument_(std::move(activeDocument)),
      companionOf_(std::move(companionOf)),
      dialogs_(std::make_unique<CWidgetCheckDialogs>(dialogParent)) {}

CCheckController::~CCheckController() {
    StopAndJoin();
}

void CCheckController::SetDialogs(std::unique_ptr<CheckDialogs> dialogs) {
    dialogs_ = std::move(dialogs);
}

CViewCompanion* CCheckController::ActiveCompanion() const {
    CLogicDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    return doc != nullptr && companionOf_ ? companionOf_(*doc) : nullptr;
}

bool CCheckController::HandlesCommand(int id) const {
    if (id == cmd::CheckUniqueness)
        return true;
    if (id == cmd::Break) {
        const CViewCompanion* companion = ActiveCompanion();
        return IsRunning() || (companion != nullptr && !companion->MarkedCells().empty());
    }
    // The solver's commands wait while a check runs.
    return IsRunning() &&
           (id == cmd::Solve || id == cmd::Hint || id == cmd::CalculateNumber);
}

void CCheckController::OnCommand(int id) {
    if (id == cmd::CheckUniqueness) {
        StartCheck();
    } else if (id == cmd::Break) {
        if (run_ != nullptr)
            run_->stop.store(1);
        else if (CViewCompanion* companion = ActiveCompanion())
            companion->ClearMarkedCells();
    }
}

void CCheckController::OnUpdateCommand(int id, CommandState& state) {
    if (id == cmd::CheckUniqueness)
        state.enabled = !IsRunning() && solver_.IsIdle() && activeDocument_ &&
                        activeDocument_() != nullptr;
    else if (id == cmd::Break)
        state.enabled = true;
    else
        state.enabled = false;
}

void CCheckController::StartCheck() {
    CLogicDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    if (doc == nullptr || IsRunning() || !solver_.IsIdle())
        return;
    solver_.CloseEditors(*doc);
    // A new check takes the old marks away.
    if (CViewCompanion* companion = companionOf_ ? companionOf_(*doc) : nullptr)
        companion->ClearMarkedCells();
    run_ = std::make_unique<Run>(*doc, ++runSerial_);
    document_ = doc;
    status_.ShowSolverProgress();
    status_.StartSolverAnimation();
    ShowPhase(CheckPhase::LineSolving);

    Run& run = *run_;
    run.thread = std::thread([this, &run] {
        const int number = run.number;
        CheckOptions options;
        options.stop = &run.stop;
        options.onPhase = [this, number](CheckPhase phase) {
            QMetaObject::invokeMethod(
                this,
                [this, number, phase] {
                    if (run_ != nullptr && run_->number == number)
                        ShowPhase(phase);
                },
                Qt::QueuedConnection);
        };
        run.result = CheckUniqueness(*run.model, options);
        QMetaObject::invokeMethod(
            this,
            [this, number] {
                if (run_ != nullptr && run_->number == number)
                    OnCheckFinished();
            },
            Qt::QueuedConnection);
    });
}

void CCheckController::ShowPhase(CheckPhase phase) {
    status_.SetSolverProgress(PhasePercent(phase),
                              QString::fromStdString(CheckPhaseText(phase, text::CurrentLanguage())));
}

void CCheckController::OnCheckFinished() {
    run_->thread.join();
    const CheckResult result = std::move(run_->result);
    const bool changed = run_->documentChanged;
    run_.reset();
    status_.StopSolverAnimation();
    status_.HideSolverProgress();
    Report(result, changed);
    document_ = nullptr;
}

void CCheckController::Report(const CheckResult& result, bool documentChanged) {
    const CheckReport report = BuildCheckReport(result, text::CurrentLanguage());
    status_.SetSolverIcon(result.verdict == CheckVerdict::Undecided
                              ? SolverStatusDisplay::Icon::Stopped
                              : SolverStatusDisplay::Icon::Application);
    status_.SetSolverMessage(QString::fromStdString(report.headline + "  " + report.timeText));
    const bool several = result.verdict == CheckVerdict::Several && !documentChanged;
    if (several) {
        if (CViewCompanion* companion = companionOf_ ? companionOf_(*document_) : nullptr)
            companion->SetMarkedCells(result.DifferingCells());
    }
    const QString caption = QString::fromStdString(report.headline + " - " + document_->GetDocumentFileName());
    // The box runs an event loop: the document may close meanwhile.
    const CheckDialogs::Choice choice =
        dialogs_->ShowCheckReport(caption, QString::fromStdString(report.text), several);
    status_.SetSolverIcon(SolverStatusDisplay::Icon::Application);
    if (document_ == nullptr || choice == CheckDialogs::Choice::Close)
        return;
    WriteSolution(result, choice == CheckDialogs::Choice::WriteSecond);
}

void CCheckController::WriteSolution(const CheckResult& result, bool second) {
    CLogicDoc& doc = *document_;
    WaitCursor wait;
    // One undo entry: what the window holds goes in first, as before a solve, then the cells.
    DocumentEdit edit(doc);
    solver_.CloseEditors(doc);
    WriteCheckSolution(doc, result, second);
    edit.Commit();
}

void CCheckController::StopAndJoin() {
    if (run_ == nullptr)
        return;
    run_->stop.store(1);
    run_.reset();
    status_.StopSolverAnimation();
    status_.HideSolverProgress();
    status_.SetSolverMessage(QString());
}

void CCheckController::OnDocumentClosing(CLogicDoc& doc) {
    if (document_ != &doc)
        return;
    StopAndJoin();
    document_ = nullptr;
}

}  // namespace tessemar
