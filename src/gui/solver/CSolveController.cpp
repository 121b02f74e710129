#include "gui/solver/CSolveController.h"

#include "core/document/CLogicDoc.h"
#include "core/solver/ClueNumbers.h"
#include "core/solver/SolveJob.h"
#include "core/text/StringTable.h"
#include "gui/common/WaitCursor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMetaObject>
#include <QWidget>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tessemar {
namespace {

// A cell notification packed as the worker sends it: value << 16 | y << 8 | x.
std::uint32_t PackCell(int x, int y, int value) {
    return (static_cast<std::uint32_t>(value & 0xFF) << 16) |
           (static_cast<std::uint32_t>(y & 0xFF) << 8) | static_cast<std::uint32_t>(x & 0xFF);
}

// How long one batch of cells may hold the user interface thread before the rest waits for
// the next turn of the event loop.
constexpr qint64 kCellBatchMs = 8;

}  // namespace

// Carries what the worker reports to the controller's thread. The worker never waits for the
// user interface except in OnSolveReleaseCapture, and that wait ends as soon as the controller
// detaches the bridge, so the controller may join the worker at any time without a deadlock.
// Cells are collected under a lock and announced by one queued call per batch, so a run that
// fixes tens of thousands of cells cannot flood the event queue.
class CSolveController::Bridge : public SolveObserver, public std::enable_shared_from_this<Bridge> {
  public:
    explicit Bridge(CSolveController* controller) : controller_(controller) {}

    void OnSolveProgress(int knownCells) override {
        std::lock_guard lock(mutex_);
        if (detached_)
            return;
        QMetaObject::invokeMethod(
            controller_,
            [self = shared_from_this(), knownCells] {
                if (self->current)
                    self->controller_->ShowSolveProgress(knownCells);
            },
            Qt::QueuedConnection);
    }

    void OnSolveCellFixed(int x, int y, int value) override {
        std::lock_guard lock(mutex_);
        if (detached_)
            return;
        const bool announce = cells_.empty();
        cells_.push_back(PackCell(x, y, value));
        if (announce)
            PostApplyCells();
    }

    void OnSolveReleaseCapture() override {
        std::unique_lock lock(mutex_);
        if (detached_)
            return;
        captureReleased_ = false;
        QMetaObject::invokeMethod(
            controller_,
            [self = shared_from_this()] {
                if (QWidget* grabber = QWidget::mouseGrabber())
                    grabber->releaseMouse();
                std::lock_guard inner(self->mutex_);
                self->captureReleased_ = true;
                self->released_.notify_all();
            },
            Qt::QueuedConnection);
        released_.wait(lock, [this] { return captureReleased_ || detached_; });
    }

    void OnSolveFinished(int command, const SolveResult& /*result*/) override {
        // The result is read from the run object once the thread has been joined.
        std::lock_guard lock(mutex_);
        if (detached_)
            return;
        QMetaObject::invokeMethod(
            controller_,
            [self = shared_from_this(), command] {
                if (self->current)
                    self->controller_->OnRunFinished(command);
            },
            Qt::QueuedConnection);
    }

    // After this the worker posts nothing more and waits for nothing.
    void Detach() {
        {
            std::lock_guard lock(mutex_);
            detached_ = true;
        }
        released_.notify_all();
        current = false;
    }

    // Moves the cells the worker sent so far behind those still waiting on this thread.
    void TakeCells() {
        std::lock_guard lock(mutex_);
        if (cells_.empty())
            return;
        if (next_ == waiting_.size()) {
            waiting_.clear();
            next_ = 0;
        }
        waiting_.insert(waiting_.end(), cells_.begin(), cells_.end());
        cells_.clear();
    }

    bool HasWaitingCells() const { return next_ < waiting_.size(); }
    std::uint32_t NextCell() { return waiting_[next_++]; }

    void PostApplyCells() {
        QMetaObject::invokeMethod(
            controller_,
            [self = shared_from_this()] {
                if (self->current)
                    self->controller_->ApplyCells();
            },
            Qt::QueuedConnection);
    }

    // Read and written on the controller's thread only: queued calls that arrive for a run
    // that has ended or been dropped do nothing.
    bool current = true;

  private:
    CSolveController* controller_;
    std::mutex mutex_;
    std::condition_variable released_;
    std::vector<std::uint32_t> cells_;
    bool detached_ = false;
    bool captureReleased_ = false;
    // The controller's thread only.
    std::vector<std::uint32_t> waiting_;
    std::size_t next_ = 0;
};

struct CSolveController::Run {
    Run(CSolveController* controller, CLogicDoc& doc, SolveCommand command, ViewRefresh refresh,
        const std::atomic<int>& stopRequest)
        : bridge(std::make_shared<Bridge>(controller)),
          job(doc, command, refresh, bridge.get(), stopRequest) {}

    std::shared_ptr<Bridge> bridge;
    // Declared last so that it is destroyed (and its thread joined) first.
    SolveJob job;
};

CSolveController::CSolveController(AppSettings& settings, SolverStatusDisplay& status,
                                   std::function<CLogicDoc*()> activeDocument,
                                   QWidget* dialogParent, const IniFile* reportSettings)
    : settings_(settings),
      status_(status),
      activeDocument_(std::move(activeDocument)),
      dialogs_(std::make_unique<CWidgetSolveDialogs>(dialogParent, reportSettings)) {}

CSolveController::~CSolveController() {
    if (solverThread_ != nullptr)
        StopAndJoin(*solverThread_);
}

void CSolveController::SetDialogs(std::unique_ptr<SolveDialogs> dialogs) {
    dialogs_ = std::move(dialogs);
}

bool CSolveController::HandlesCommand(int id) const {
    if (id == cmd::Solve || id == cmd::Hint || id == cmd::Break || id == cmd::CalculateNumber)
        return true;
    return Withholds(id);
}

bool CSolveController::Withholds(int id) const {
    switch (id) {
        case cmd::Undo:
        case cmd::Redo:
            // The run collects the cells it writes into the document's pending undo entry
            // until its end; undoing or redoing in between would mix that entry with the
            // history.
            return solvingDocument_ != nullptr && activeDocument_ &&
                   activeDocument_() == solvingDocument_;
        case cmd::Options:
        case cmd::PrintZoom:
            return !IsIdle();
        case cmd::FilePrintPreview:
            // Print preview draws the document the run is painting into.
            return !IsIdle() && settings_.updateView != 0;
        default:
            return false;
    }
}

void CSolveController::OnCommand(int id) {
    switch (id) {
        case cmd::Solve:
            StartSolving(SolveCommandSolve);
            break;
        case cmd::Hint:
            StartSolving(SolveCommandHint);
            break;
        case cmd::Break:
            Break();
            break;
        case cmd::CalculateNumber:
            CalculateNumber();
            break;
        default:
            break;
    }
}

void CSolveController::OnUpdateCommand(int id, CommandState& state) {
    switch (id) {
        case cmd::Solve:
        case cmd::Hint:
        case cmd::CalculateNumber:
            state.enabled = IsIdle() && activeDocument_ && activeDocument_() != nullptr;
            break;
        case cmd::Break:
            state.enabled = solverThread_ != nullptr && !finishing_ && solverIdle_.load() == 0;
            break;
        default:
            // A command of others held back while a run goes on.
            if (Withholds(id))
                state.enabled = false;
            break;
    }
}

void CSolveController::CloseEditors(CLogicDoc& doc) const {
    if (finishEditing_)
        finishEditing_(doc);
    doc.CommitFloatingSelection(settings_.backDrawMode);
}

void CSolveController::StartSolving(SolveCommand command) {
    CLogicDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    if (doc == nullptr || !IsIdle())
        return;
    CloseEditors(*doc);

    const std::string clueProblem = SolveJob::CheckClues(*doc, text::CurrentLanguage());
    if (!clueProblem.empty()) {
        status_.SetSolverMessage(QStringLiteral("ERROR"));
        // The question runs an event loop: the document may close meanwhile.
        asking_ = true;
        askingDocument_ = doc;
        const bool goOn = dialogs_->AskSolveAnyway(QString::fromStdString(clueProblem));
        asking_ = false;
        doc = askingDocument_;
        askingDocument_ = nullptr;
        if (doc == nullptr || !goOn) {
            status_.SetSolverMessage(QString());
            return;
        }
    }

    solvingDocument_ = doc;
    solverIdle_.store(0);
    status_.ShowSolverProgress();
    status_.StartSolverAnimation();

    if (solverThread_ != nullptr) {
        StopAndJoin(*solverThread_);
        solverThread_.reset();
        // StopAndJoin raised the stop request for the old run; this one must not see it.
        solverIdle_.store(0);
    }
    // Every cell of the run, from the first that arrives to the write-back, is one entry.
    const ViewRefresh refresh = settings_.updateView != 0 ? ViewRefresh::On : ViewRefresh::Off;
    solverThread_ = std::make_unique<Run>(this, *doc, command, refresh, solverIdle_);
}

bool CSolveController::Break() {
    if (solverThread_ == nullptr || finishing_ || solverIdle_.load() != 0)
        return false;
    solverIdle_.store(1);
    return true;
}

void CSolveController::CalculateNumber() {
    CLogicDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    if (doc == nullptr || !IsIdle())
        return;
    CloseEditors(*doc);
    WaitCursor wait;
    CalculateNumbers(*doc);
}

void CSolveController::ApplyCells() {
    if (solverThread_ == nullptr || solvingDocument_ == nullptr)
        return;
    Run& run = *solverThread_;
    Bridge& bridge = *run.bridge;
    CLogicDoc& doc = *solvingDocument_;
    bridge.TakeCells();
    QElapsedTimer clock;
    clock.start();
    int applied = 0;
    while (bridge.HasWaitingCells()) {
        const std::uint32_t packed = bridge.NextCell();
        const int x = static_cast<int>(packed & 0xFF);
        const int y = static_cast<int>((packed >> 8) & 0xFF);
        const auto value = static_cast<std::int8_t>((packed >> 16) & 0xFF);
        // Records the cell for undo when it changes; a cell outside a puzzle made smaller
        // since the run started is left alone.
        doc.WriteCell(x, y, value);
        // Keep the window responsive: the rest waits for the next turn of the event loop.
        if (++applied % 64 == 0 && clock.elapsed() >= kCellBatchMs && bridge.HasWaitingCells()) {
            bridge.PostApplyCells();
            return;
        }
    }
}

void CSolveController::ShowSolveProgress(int knownCells) {
    if (solverThread_ == nullptr)
        return;
    const SolveJob& job = solverThread_->job;
    const std::int64_t cells = static_cast<std::int64_t>(job.Width()) * job.Height();
    const int percent = cells > 0 ? static_cast<int>(knownCells * std::int64_t{100} / cells) : 0;
    const std::string progress =
        SolveProgressText(knownCells, job.Width(), job.Height(), text::CurrentLanguage());
    status_.SetSolverProgress(percent, QString::fromStdString(progress));
}

void CSolveController::OnRunFinished(int command) {
    if (solverThread_ == nullptr || finishing_)
        return;
    status_.StopSolverAnimation();
    FinishRun(command == SolveCommandHint);
}

void CSolveController::FinishRun(bool hint) {
    finishing_ = true;
    Run& run = *solverThread_;
    CLogicDoc& doc = *solvingDocument_;

    if (hint)
        solverIdle_.store(1);
    else
        CloseEditors(doc);
    status_.HideSolverProgress();
    doc.SetModifiedFlag(true);
    // The worker posted its result just before ending; only after its end may its grid be read.
    run.job.Join();
    solverIdle_.store(1);
    // Every cell the worker announced before its result belongs to this run's undo entry.
    run.bridge->TakeCells();
    while (run.bridge->HasWaitingCells())
        ApplyCells();
    run.bridge->Detach();

    const bool stopped = (run.job.Result().code & (ResultStopped | ResultContradiction)) != 0;
    const auto stopIcon = SolverStatusDisplay::Icon::Stopped;
    const auto appIcon = SolverStatusDisplay::Icon::Application;
    status_.SetSolverIcon(stopped && !hint ? stopIcon : appIcon);
    SolveReport report;
    {
        WaitCursor wait;
        report = run.job.Finish(text::CurrentLanguage());
    }
    if (report.kind == SolveReport::Kind::Contradiction) {
        if (hint)
            status_.SetSolverIcon(stopIcon);
        ReportContradiction(report.statusText, report.contradictionMessage);
    } else if (!hint) {
        SolveDialogs::Sound sound = SolveDialogs::Sound::Default;
        if (report.kind == SolveReport::Kind::Complete)
            sound = SolveDialogs::Sound::Information;
        status_.SetSolverMessage(QString::fromStdString(report.statusText));
        SolveDialogs::Report window;
        window.text = QString::fromStdString(report.reportText);
        window.captionPrefix = QString::fromStdString(report.headline + " - ");
        window.documentName = QString::fromStdString(doc.GetDocumentFileName());
        window.icon = report.kind == SolveReport::Kind::Stopped ? stopIcon : appIcon;
        dialogs_->PlaySound(sound);
        if (settings_.resultMode == 0)
            dialogs_->ShowReport(window);
    }
    EndOfRun();
    // Open cells may mean several solutions or a puzzle beyond this solver: the check knows.
    if (!hint && report.kind == SolveReport::Kind::Open)
        status_.SetSolverMessage(QString::fromStdString(std::string(text::LoadString(text::IdsCheckSuggestion))));
}

void CSolveController::ReportContradiction(const std::string& statusText,
                                           const std::string& message) {
    status_.SetSolverMessage(QString::fromStdString(statusText));
    if (settings_.resultMode < 2)
        dialogs_->ShowContradiction(QString::fromStdString(message));
    else
        dialogs_->PlaySound(SolveDialogs::Sound::Stop);
}

void CSolveController::EndOfRun() {
    status_.SetSolverIcon(SolverStatusDisplay::Icon::Application);
    status_.SetSolverMessage(QString());
    solverThread_.reset();
    solvingDocument_ = nullptr;
    finishing_ = false;
}

void CSolveController::StopAndJoin(Run& run) {
    solverIdle_.store(1);
    run.bridge->Detach();
    run.job.Join();
}

void CSolveController::OnDocumentClosing(CLogicDoc& doc) {
    if (askingDocument_ == &doc)
        askingDocument_ = nullptr;
    if (solvingDocument_ != &doc)
        return;
    // The cells found so far stay in the closing document.
    if (solverThread_ != nullptr)
        solverThread_->job.CommitEdit();
    if (finishing_) {
        // The worker has ended already; the finishing path cleans up when its windows close.
        solvingDocument_ = nullptr;
        return;
    }
    if (solverThread_ != nullptr) {
        StopAndJoin(*solverThread_);
        solverThread_.reset();
    }
    solverIdle_.store(1);
    solvingDocument_ = nullptr;
    status_.SetSolverMessage(QString());
    status_.StopSolverAnimation();
    status_.HideSolverProgress();
    status_.SetSolverIcon(SolverStatusDisplay::Icon::Application);
}

}  // namespace tessemar
