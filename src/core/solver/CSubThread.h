#pragma once

#include "core/document/PuzzleModel.h"
#include "core/solver/ByteMatrix.h"
#include "core/solver/SolveResult.h"
#include "core/solver/TrialLineMemo.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
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

// One Solve or Hint: copies the puzzle out of the document, sweeps rows and columns with the
// line solver, then proves cells by contradiction on a trial grid. Mode 1 works on the main
// grid and counts into the normal counters; mode 0 works on the trial grid and counts into the
// trial counters. The run works on its own copies only, so it can run on any thread.
class CSubThread {
  public:
    // Clue-placement positions fit in a byte: lines hold at most 250 cells.
    static constexpr int kMaxLine = 250;

    CSubThread();
    ~CSubThread();
    CSubThread(const CSubThread&) = delete;
    CSubThread& operator=(const CSubThread&) = delete;

    // Takes the puzzle: the document's 250 x 250 arrays and the size. A picture X mark (-1)
    // becomes blank. stopRequest nonzero asks the run to stop before its next line.
    void PrepareSolve(SolveObserver* view, const std::atomic<int>& stopRequest,
                      const Grid<std::int8_t>& picture, const Grid<std::uint8_t>& rowNumbers,
                      const Grid<std::uint8_t>& columnNumbers, const Grid<std::uint8_t>& rowColors,
                      const Grid<std::uint8_t>& columnColors, int width, int height);
    void PrepareSolve(SolveObserver* view, const std::atomic<int>& stopRequest,
                      const PuzzleModel& model);

    // Runs the command (SolveCommandSolve or SolveCommandHint) on the calling thread.
    void OnStartSolve(int command, int updateView);

    // Runs the command on a thread of its own; Join waits for its end.
    void Start(int command, int updateView);
    void Join();
    bool Running() const { return thread_.joinable(); }

    const SolveResult& Result() const { return result_; }
    const ByteMatrix& SolvedGrid() const { return grid_; }

    // The whole-puzzle steps, each returning result bits.
    int ScanPass(int mode, int updateView);
    int SolveRow(int y, int mode, int updateView);
    int SolveColumn(int x, int mode, int updateView);
    int AbsurdPass(int hint, int updateView);

    // The line solver on line vectors. numbers and colours are a line's clue slots (slot 0
    // nearest the picture); crossHasColor is a 9 x n matrix whose row c flags the cells whose
    // crossing line has a clue of colour c. Bound vectors are indexed by j = n - 1 - k.
    int SolveLine(int mode, const ByteMatrix& line, const ByteMatrix& numbers,
                  const ByteMatrix& colours, const ByteMatrix& crossHasColor, ByteMatrix& work,
                  ByteMatrix& reach);
    static int PlaceLeftmost(const ByteMatrix& line, const ByteMatrix& numbers,
                             const ByteMatrix& colours, const ByteMatrix& crossHasColor,
                             ByteMatrix& leftStart, ByteMatrix& leftEnd);
    static int PlaceRightmost(const ByteMatrix& line, const ByteMatrix& numbers,
                              const ByteMatrix& colours, const ByteMatrix& crossHasColor,
                              ByteMatrix& rightStart, ByteMatrix& rightEnd);
    static bool CanPlaceRun(const ByteMatrix& run, const ByteMatrix& line,
                            const ByteMatrix& crossHasColor, int c);
    static void PaintSpans(ByteMatrix& target, const ByteMatrix& fromBound,
                           const ByteMatrix& toBound, const ByteMatrix& numbers,
                           const ByteMatrix& colours);
    int ApplyLineResult(int mode, ByteMatrix& work, const ByteMatrix& reach, const ByteMatrix& line,
                        ByteMatrix& crossDirty, int& count, ByteMatrix* changedOut);

    // The cell index of the last main-grid contradiction within its line, -1 when none.
    int LinePosition() const { return linePosition_; }

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

    // One used clue of a line, in order from the first clue of the line to the last.
    struct Clue {
        std::uint8_t length;
        std::uint8_t colour;
        std::uint8_t bit;  // 1 << (colour - 1), or 0 for a colour outside 1..8
    };

    // How the greedy passes of a trial line may reuse the main-grid line's: the first leftKnown
    // clues' earliest and the last rightKnown clues' latest placements are already in the bound
    // scratch, and the main line's placements (null when there are none) may be taken over
    // from a clue on whose placement both lines agree and beyond which the lines are equal:
    // cells after sameAfter for the earliest ones, cells before sameBefore for the latest.
    struct GreedyResume {
        int leftKnown = 0;
        int rightKnown = 0;
        const std::uint8_t* leftStart = nullptr;
        const std::uint8_t* leftEnd = nullptr;
        const std::uint8_t* rightStart = nullptr;
        const std::uint8_t* rightEnd = nullptr;
        int sameAfter = 0;
        int sameBefore = 0;
    };

  private:
    struct LineRef {
        std::int32_t offset;  // into rowClues_ / columnClues_
        std::int32_t count;
    };

    int SolveLineKernel(int mode, const std::uint8_t* line, int n, const Clue* clues, int m,
                        const std::uint8_t* crossMask, std::uint8_t* work, std::uint8_t* reach,
                        const GreedyResume& resume);
    int ApplyKernel(int mode, std::uint8_t* work, const std::uint8_t* reach,
                    const std::uint8_t* line, int n, std::uint8_t* crossDirty,
                    std::uint8_t* changed, int& count);
    // Solves every dirty row (or column) once, in order; stops at a stop or a contradiction.
    int ScanDirtyLines(bool rows, int mode, int updateView);
    int SolveGridLine(bool isRow, int index, int mode, int updateView);
    // Copies n cells (stride apart) into lineBuf_ with the colour bits the placement tests use.
    void LoadLine(const std::uint8_t* cells, std::size_t stride, const std::uint8_t* cross, int n);
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
    // Fills the greedy placements a trial line shares with its main-grid line into the bound
    // scratch and tells the greedy passes where they may take over the rest.
    void ResumeGreedy(bool isRow, int index, int n, const Clue* clues, LineRef ref,
                      GreedyResume& resume);
    // Applies a remembered result to trial line `index`, as a solve of it would.
    int ApplyRememberedLine(bool isRow, int index, const std::uint8_t* line,
                            const TrialLineMemo::Answer& answer);
    static int MemoLine(bool isRow, int index) {
        return isRow ? index : TrialLineMemo::kLines / 2 + index;
    }
    void RebuildTrialPlanes();
    // Copies trial line `index` out of the trial planes into the per-line scratch.
    void LoadTrialLine(bool isRow, int index, int n);
    void ClearDirtyFlags();
    bool StopRequested() const {
        return stop_ != nullptr && stop_->load(std::memory_order_relaxed) != 0;
    }

    SolveObserver* view_ = nullptr;
    const std::atomic<int>* stop_ = nullptr;
    int width_ = 0;
    int height_ = 0;

    ByteMatrix grid_;
    ByteMatrix trialGrid_;
    ByteMatrix rowNumbers_, rowColors_, columnNumbers_, columnColors_;
    ByteMatrix rowDirty_, columnDirty_;
    std::array<ByteMatrix, 9> rowHasColor_, columnHasColor_;
    std::array<std::uint8_t, 10> colorsInUse_{};

    // The same facts in the shapes the hot path wants: each line's used clues in order, and
    // per cell a bit per colour of the crossing line's clues.
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
    static constexpr int kLineWords = (kMaxLine + 63) / 64;

    // The main grid in row order, and the greedy placements (before the second passes) of each
    // line's clues on its main-grid line, with a state per line: 0 when not computed for the
    // line's present cells, else kGreedyKnown plus a bit for each direction that placed every
    // clue.
    static constexpr std::uint8_t kGreedyKnown = 1, kGreedyLeft = 2, kGreedyRight = 4;
    std::vector<std::uint8_t> mainRows_;
    std::vector<std::uint8_t> rowGreedy_, columnGreedy_;
    std::vector<std::uint8_t> rowGreedyState_, columnGreedyState_;

    Shortcuts shortcuts_;
    TrialLineMemo memo_;
    // How each trial line differs from its main-grid line, for the memo's lookups.
    std::vector<TrialLineMemo::Summary> trialRowSummary_, trialColumnSummary_;

    // Trial cells that differ from the main grid, so that a trial undoes only what it did.
    std::vector<std::int32_t> trialChanges_;

    // Per-line scratch, sized once for the longest line.
    std::array<std::uint8_t, kMaxLine> lineBuf_{}, workBuf_{};
    std::array<std::uint8_t, kMaxLine> leftStart_{}, leftEnd_{}, rightStart_{}, rightEnd_{};
    std::array<std::int16_t, kMaxLine + 1> cover_{};
    // Per cell of the line being solved: the colours a run may put there (bits), the colour it
    // has (bit), and the cells a solve changed.
    // Room for a word read past the last cell.
    std::array<std::uint8_t, kMaxLine + 8> fitBits_{}, ownBits_{};
    std::array<std::uint8_t, kMaxLine> changedAt_{};
    // ApplyKernel's per-cell results before it knows the line is free of conflicts; the
    // differences have room for a word read past the last cell.
    std::array<std::uint8_t, kMaxLine> reachedAt_{}, appliedAt_{};
    std::array<std::uint8_t, kMaxLine + 8> differsAt_{};
    std::array<std::uint64_t, (kMaxLine + 63) / 64> colouredSet_{};

    std::int32_t knownCells_ = 0;
    std::int32_t lastPercent_ = 0;
    std::int32_t linePosition_ = -1;
    std::chrono::steady_clock::time_point startTime_{};
    SolveResult result_;
    std::thread thread_;
};

}  // namespace tessemar
