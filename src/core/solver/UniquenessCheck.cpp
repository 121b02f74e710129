#include "core/solver/UniquenessCheck.h"

#include "core/solver/ClueNumbers.h"
#include "core/solver/CnfEncoding.h"
#include "core/solver/LineSolverFixpoint.h"
#include "core/solver/SolveResult.h"

#include <cadical.hpp>

#include <chrono>

namespace tessemar {
namespace {

using Clock = std::chrono::steady_clock;

// The SAT solver's answers.
constexpr int kSatisfiable = 10;
constexpr int kUnsatisfiable = 20;

// The stop request and the time limit, asked by the line sweeps and by the SAT search.
class CheckLimits : public CaDiCaL::Terminator {
  public:
    CheckLimits(const CheckOptions& options, Clock::time_point start)
        : stop_(options.stop),
          deadline_(options.timeLimitMs > 0 ? start + std::chrono::milliseconds(options.timeLimitMs)
                                            : Clock::time_point::max()) {}

    bool terminate() override { return Stopped() || OutOfTime(); }
    bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed) != 0; }
    bool OutOfTime() const { return Clock::now() >= deadline_; }
    const std::atomic<int>& StopRequest() const { return stop_ != nullptr ? *stop_ : never_; }

  private:
    const std::atomic<int>* stop_;
    Clock::time_point deadline_;
    std::atomic<int> never_{0};
};

// Makes the solver's present model the preferred value of every variable, so that the search
// for a second solution starts from the first. A second solution mostly differs from the first
// in a few cells and is then found at once; the solver's own saved phases are soon replaced by
// rephasing (on the 36 x 42 Thing the second search took as long as the first without this).
void PreferPresentModel(CaDiCaL::Solver& solver) {
    for (int variable = 1; variable <= solver.vars(); ++variable)
        solver.phase(solver.val(variable) > 0 ? variable : -variable);
}

CheckGrid StartingCells(const PuzzleModel& model, const CheckLines& lines, bool fromPicture) {
    CheckGrid cells(static_cast<std::size_t>(lines.width) * lines.height, kSolverUnknown);
    if (!fromPicture)
        return cells;
    for (int x = 0; x < lines.width; ++x) {
        for (int y = 0; y < lines.height; ++y) {
            const std::int8_t v = model.cells[x][y];
            if (v == kCellX)
                cells[x * lines.height + y] = kSolverBlank;
            else if (v >= 1 && v <= 8)
                cells[x * lines.height + y] = static_cast<std::uint8_t>(v);
        }
    }
    return cells;
}

// The search after the line solver: a first solution, then one that differs from it in some
// open cell. Fills the grids of result and returns the verdict.
CheckVerdict Search(const CheckLines& lines, const OptionGrid& cells, CheckLimits& limits,
                    const CheckOptions& options, CheckResult& result) {
    CaDiCaL::Solver solver;
    // The library prints its messages on standard output unless told not to.
    solver.set("quiet", 1);
    CnfEncoding encoding(solver, lines, cells);
    result.openCells = encoding.OpenCells();
    if (!encoding.Possible())
        return CheckVerdict::None;
    solver.connect_terminator(&limits);
    // The solver asks the terminator only now and then: a request that came before a search
    // must not wait for a small one to finish.
    const auto search = [&](CheckPhase p) {
        if (options.onPhase)
            options.onPhase(p);
        return limits.terminate() ? 0 : solver.solve();
    };

    int answer = search(CheckPhase::FirstSolution);
    if (answer == kUnsatisfiable)
        return CheckVerdict::None;
    if (answer != kSatisfiable)
        return CheckVerdict::Undecided;
    CheckGrid first = encoding.ReadModel();
    if (!GridMatchesClues(lines, first))
        return CheckVerdict::Undecided;
    result.first = std::move(first);
    PreferPresentModel(solver);
    if (!encoding.ExcludeGrid(result.first))
        return CheckVerdict::Unique;

    answer = search(CheckPhase::SecondSolution);
    if (answer == kUnsatisfiable)
        return CheckVerdict::Unique;
    if (answer != kSatisfiable)
        return CheckVerdict::Undecided;
    CheckGrid second = encoding.ReadModel();
    if (!GridMatchesClues(lines, second) || second == result.first)
        return CheckVerdict::Undecided;
    result.second = std::move(second);
    return CheckVerdict::Several;
}

// After the line solver: complete line solving narrows the cells further, then the search.
CheckVerdict Decide(const CheckLines& lines, const CheckGrid& known, CheckLimits& limits,
                    const CheckOptions& options, CheckResult& result) {
    OptionGrid cells = StartingOptions(lines, known);
    if (!NarrowToFixpoint(lines, cells, [&limits] { return limits.terminate(); }))
        return CheckVerdict::None;
    // Narrowing cut short leaves wide options, whose clauses alone can take seconds to add (12 s
    // for 250 x 250 eight-colour noise), only to be asked to stop at once.
    if (limits.terminate())
        return CheckVerdict::Undecided;
    return Search(lines, cells, limits, options, result);
}

}  // namespace

std::vector<CellPoint> CheckResult::DifferingCells() const {
    std::vector<CellPoint> cells;
    if (verdict != CheckVerdict::Several || height == 0)
        return cells;
    for (std::size_t i = 0; i < first.size() && i < second.size(); ++i) {
        if (first[i] != second[i])
            cells.push_back({static_cast<int>(i) / height, static_cast<int>(i) % height});
    }
    return cells;
}

int WriteCheckSolution(CLogicDoc& doc, const CheckResult& result, bool second) {
    return WriteBackSolution(doc, second ? result.second : result.first, result.width,
                             result.height);
}

CheckResult CheckUniqueness(const PuzzleModel& model, const CheckOptions& options) {
    const Clock::time_point start = Clock::now();
    CheckLimits limits(options, start);
    const CheckLines lines = CollectCheckLines(model);
    CheckResult result;
    result.width = lines.width;
    result.height = lines.height;

    if (options.onPhase)
        options.onPhase(CheckPhase::LineSolving);
    CheckGrid known = StartingCells(model, lines, options.fromPicture);
    switch (DeduceWithLineSolver(model, known, limits.StopRequest(),
                                 [&limits] { return limits.terminate(); })) {
    case FixpointEnd::Contradiction:
        result.verdict = CheckVerdict::None;
        break;
    case FixpointEnd::Interrupted:
        result.verdict = CheckVerdict::Undecided;
        break;
    case FixpointEnd::Done:
        result.verdict = Decide(lines, known, limits, options, result);
        break;
    }
    if (result.verdict == CheckVerdict::Undecided) {
        result.stopped = limits.Stopped();
        result.outOfTime = !result.stopped && limits.OutOfTime();
        result.second.clear();
    }
    if (result.verdict == CheckVerdict::None)
        result.first.clear();
    result.elapsedMs = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    return result;
}

}  // namespace tessemar
