#pragma once

#include "core/document/PuzzleModel.h"
#include "core/solver/ByteMatrix.h"
#include "core/solver/LineSolver.h"
#include "core/solver/SolveResult.h"
#include "core/solver/TrialLineMemo.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace tessemar {

// What a run tells the view that started it. The calls come from the thread the run works on;
// the worker never waits for them except for OnSolveReleaseCapture, so an adapter on another
// thread must queue the others.
class SolveObserver {
  public:
    virtual ~SolveObserver() = default;
    // The running count of determined cells changed its integer percentage.
    virtual void OnSolveProgress(int /*knownCells*/) {}
    // A main-grid line fixed cell (x, y) to a colour (only when the run refreshes the view).
    virtual void OnSolveCellFixed(int /*x*/, int /*y*/, int /*value*/) {}
    // Sent and waited for just before the result, so the view can release its mouse capture.
    virtual void OnSolveReleaseCapture() {}
    // The end of the run; result stays valid as long as the run object lives.
    virtual void OnSolveFinished(int /*command*/, const SolveResult& /*result*/) {}
};

// The grid a step works on: the main grid, whose lines count into the normal counters, or the
// trial grid of the proof by contradiction, whose lines count into the trial counters.
enum class GridMode { Trial = 0, Main = 1 };
// Whether main-grid lines report each coloured cell they fix to the observer.
enum class ViewRefresh { Off = 0, On = 1 };

// The whole-puzzle solve: sweeps of the rows and columns with the line solver until nothing
// changes, then the proof by contradiction, cell by cell, on a trial grid. Works on its own
// copies of the puzzle only, so it can run on any thread.
class SolveDriver {
  public:
    // Takes the puzzle: the document's 250 x 250 arrays and the size. A picture X mark (-1)
    // becomes blank. stopRequest nonzero asks the run to stop before its next line.
    void Prepare(SolveObserver* view, const std::atomic<int>& stopRequest,
                 const PuzzleModel& model);

    // Carries out the command on the calling thread and fills Result().
    void Run(SolveCommand command, ViewRefresh refresh);

    const SolveResult& Result() const { return result_; }
    // The main grid as the steps so far left it, column by column.
    const ByteMatrix& SolvedGrid() const { return grid_; }

    // The steps of a run, each returning result bits; public for the benchmarks and tests.
    // One sweep: every dirty row, then every dirty column.
    int ScanPass(GridMode mode, ViewRefresh refresh);
    // One pass of the proof by contradiction over the unknown cells; a hint stops after the
    // first cell it fixes.
    int AbsurdPass(SolveCommand command, ViewRefresh refresh);
    int SolveGridLine(bool isRow, int index, GridMode mode, ViewRefresh refresh);

    // The shortcuts of trial line solves. Each must leave every cell and counter of a run as it
    // would be without it; they can be switched off only so that tests can compare.
    struct Shortcuts {
        // A trial line takes over the greedy placements of its main-grid line where the two
        // lines agree.
        bool reuseGreedy = true;
        // A trial line seen before (for the same main-grid line) gets the result it had then.
        bool rememberTrialLines = true;
    };
    void SetShortcuts(const Shortcuts& shortcuts) { shortcuts_ = shortcuts; }

  private:
    using Clue = LineSolver::Clue;
    struct LineRef {
        std::int32_t offset;  // into rowClues_ / columnClues_
        std::int32_t count;
    };

    void CopyPuzzle(const PuzzleModel& model);
    void CollectClues(const PuzzleModel& model);
    // Solves every dirty row (or column) once, in order; stops at a stop or a contradiction.
    int ScanDirtyLines(bool rows, GridMode mode, ViewRefresh refresh);
    // The halves of SolveGridLine after the line solve (result bits r): the main grid stores the
    // line and tells the view, the trial grid remembers the line and stores it when consistent.
    int StoreMainLine(bool isRow, int index, int r, ViewRefresh refresh);
    int StoreTrialLine(bool isRow, int index, int r, bool remember);
    // Tries the values of cell (x, y) on the trial grid; returns -1 on a stop, else the number
    // of consistent values (at most 2) with the values that failed cleared in possible.
    int TryCell(int x, int y, std::array<std::uint8_t, 10>& possible, bool& flagsLeft,
                ViewRefresh refresh);
    void CountKnownCells();
    bool StopRequested() const {
        return stop_ != nullptr && stop_->load(std::memory_order_relaxed) != 0;
    }
    void ClearDirtyFlags();

    // The trial grid and its planes (SolveDriverTrial.cpp).
    void RestoreTrialGrid();
    // Writes one trial cell and keeps the trial planes and summaries in step with it.
    void SetTrialCell(int x, int y, std::uint8_t v);
    // The same without the summaries.
    void WriteTrialCell(int x, int y, std::uint8_t v);
    // Counts trial value v of cell (x, y) in or out (sign +1 or -1) of the summaries of its row
    // and column, when it differs from the main-grid value.
    void AccountTrialCell(int x, int y, std::uint8_t v, std::uint8_t main, int sign);
    // Writes one main-grid cell, mirrors it into the trial grid and forgets the greedy
    // placements of its row and column.
    void SetMainCell(int x, int y, std::uint8_t v);
    // Seeds the line solver with the greedy placements a trial line shares with its main-grid
    // line and tells the greedy passes where they may take over the rest.
    void ResumeGreedy(bool isRow, int index, const Clue* clues, LineRef ref,
                      LineSolver::GreedyResume& resume);
    // Applies a remembered result to trial line `index`, as a solve of it would.
    int ApplyRememberedLine(bool isRow, int index, const std::uint8_t* line,
                            const TrialLineMemo::Answer& answer);
    static int MemoLine(bool isRow, int index) {
        return isRow ? index : TrialLineMemo::kLines / 2 + index;
    }
    void RebuildTrialPlanes();
    // Loads trial line `index` out of the trial planes into the line solver.
    void LoadTrialLine(bool isRow, int index, int n);

    static constexpr int kMaxLine = LineSolver::kMaxLine;
    static constexpr int kLineWords = LineSolver::kLineWords;

    SolveObserver* view_ = nullptr;
    const std::atomic<int>* stop_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    LineSolver line_;

    ByteMatrix grid_;
    ByteMatrix trialGrid_;
    ByteMatrix rowDirty_, columnDirty_;
    std::array<std::uint8_t, 10> colorsInUse_{};

    // Each line's used clues in order, and per cell a bit per colour of the crossing line's
    // clues.
    std::vector<Clue> rowClues_, columnClues_;
    std::vector<LineRef> rowClueRefs_, columnClueRefs_;
    std::vector<std::uint8_t> rowMask_, columnMask_;

    // The trial grid as every trial line load wants it, kept in step cell by cell: the cells in
    // row order too (a row of the column-major grid is spread over the whole grid), and per cell
    // and direction the colour bits of LoadLine, plus each line's coloured cells as bits. Trials
    // change a few cells and load hundreds of thousands of lines, so this is far cheaper than
    // recomputing the bits on every load.
    std::vector<std::uint8_t> trialRows_;
    std::vector<std::uint8_t> trialColumnFit_, trialColumnOwn_, trialRowFit_, trialRowOwn_;
    std::vector<std::uint64_t> trialColumnColoured_, trialRowColoured_;

    // The main grid in row order, and the greedy placements (before the second passes) of each
    // line's clues on its main-grid line, with a state per line: 0 when not computed for the
    // line's present cells, else kGreedyKnown plus the line solver's bit for each direction
    // that placed every clue.
    static constexpr std::uint8_t kGreedyKnown = 1;
    std::vector<std::uint8_t> mainRows_;
    std::vector<std::uint8_t> rowGreedy_, columnGreedy_;
    std::vector<std::uint8_t> rowGreedyState_, columnGreedyState_;

    Shortcuts shortcuts_;
    TrialLineMemo memo_;
    // How each trial line differs from its main-grid line, for the memo's lookups.
    std::vector<TrialLineMemo::Summary> trialRowSummary_, trialColumnSummary_;

    // Trial cells that differ from the main grid, so that a trial undoes only what it did.
    std::vector<std::int32_t> trialChanges_;

    std::int32_t knownCells_ = 0;
    std::int32_t lastPercent_ = 0;
    SolveResult result_;
};

}  // namespace tessemar
