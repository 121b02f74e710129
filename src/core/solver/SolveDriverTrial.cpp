#include "core/solver/SolveDriver.h"

#include "core/solver/LineKernels.h"

#include <algorithm>

// The trial grid of the proof by contradiction, kept in the planes the trial line loads read,
// and the shortcuts of trial line solves: reused greedy placements and remembered lines.

namespace tessemar {

using line_kernels::FirstDifference;
using line_kernels::IsColoured;
using line_kernels::kOwnBit;
using line_kernels::LastDifference;

int SolveDriver::ApplyRememberedLine(bool isRow, int index, const std::uint8_t* line,
                                    const TrialLineMemo::Answer& answer) {
    if (answer.changes == TrialLineMemo::kConflict)
        return ResultContradiction;
    // The crossing lines are marked before the cells change: line points into the trial grid.
    std::uint8_t* crossDirty = isRow ? columnDirty_.Data() : rowDirty_.Data();
    const std::uint8_t* pairs = answer.pairs;
    for (int c = 0; c < answer.changes; ++c) {
        const int i = pairs[2 * c];
        crossDirty[i] =
            std::max(crossDirty[i], static_cast<std::uint8_t>(pairs[2 * c + 1] ^ line[i]));
    }
    for (int c = 0; c < answer.changes; ++c) {
        const int i = pairs[2 * c];
        const int x = isRow ? i : index;
        const int y = isRow ? index : i;
        SetTrialCell(x, y, pairs[2 * c + 1]);
        trialChanges_.push_back(
            static_cast<std::int32_t>(static_cast<std::size_t>(x) * height_ + y));
    }
    return answer.changes > 0 ? ResultChanged : 0;
}

void SolveDriver::RestoreTrialGrid() {
    const std::uint8_t* g = grid_.Data();
    for (std::int32_t at : trialChanges_)
        SetTrialCell(at / height_, at % height_, g[at]);
    trialChanges_.clear();
}

void SolveDriver::SetTrialCell(int x, int y, std::uint8_t v) {
    const std::size_t at = static_cast<std::size_t>(x) * height_ + y;
    const std::uint8_t old = trialGrid_.Data()[at];
    if (old != v) {
        const std::uint8_t main = grid_.Data()[at];
        AccountTrialCell(x, y, old, main, -1);
        AccountTrialCell(x, y, v, main, 1);
    }
    WriteTrialCell(x, y, v);
}

void SolveDriver::AccountTrialCell(int x, int y, std::uint8_t v, std::uint8_t main, int sign) {
    if (v == main)
        return;
    TrialLineMemo::Summary& row = trialRowSummary_[static_cast<std::size_t>(y)];
    TrialLineMemo::Summary& column = trialColumnSummary_[static_cast<std::size_t>(x)];
    row.hash ^= TrialLineMemo::CellKey(x, v);
    row.differences += sign;
    column.hash ^= TrialLineMemo::CellKey(y, v);
    column.differences += sign;
}

void SolveDriver::WriteTrialCell(int x, int y, std::uint8_t v) {
    const std::size_t inColumn = static_cast<std::size_t>(x) * height_ + y;
    const std::size_t inRow = static_cast<std::size_t>(y) * width_ + x;
    trialGrid_.Data()[inColumn] = v;
    trialRows_[inRow] = v;
    const std::uint8_t own = kOwnBit[v];
    trialColumnOwn_[inColumn] = own;
    trialRowOwn_[inRow] = own;
    // An unknown cell fits every colour its crossing line has, a known one only its own.
    trialColumnFit_[inColumn] = static_cast<std::uint8_t>(own | (v == 0 ? rowMask_[y] : 0));
    trialRowFit_[inRow] = static_cast<std::uint8_t>(own | (v == 0 ? columnMask_[x] : 0));
    const bool coloured = IsColoured(v);
    std::uint64_t& columnWord =
        trialColumnColoured_[static_cast<std::size_t>(x) * kLineWords + (y >> 6)];
    std::uint64_t& rowWord = trialRowColoured_[static_cast<std::size_t>(y) * kLineWords + (x >> 6)];
    columnWord =
        (columnWord & ~(1ull << (y & 63))) | (static_cast<std::uint64_t>(coloured) << (y & 63));
    rowWord = (rowWord & ~(1ull << (x & 63))) | (static_cast<std::uint64_t>(coloured) << (x & 63));
}

void SolveDriver::SetMainCell(int x, int y, std::uint8_t v) {
    const std::size_t at = static_cast<std::size_t>(x) * height_ + y;
    // The trial grid mirrors the main grid between trials, so the trial cell stops differing.
    AccountTrialCell(x, y, trialGrid_.Data()[at], grid_.Data()[at], -1);
    grid_.Data()[at] = v;
    mainRows_[static_cast<std::size_t>(y) * width_ + x] = v;
    WriteTrialCell(x, y, v);
    rowGreedyState_[y] = 0;
    columnGreedyState_[x] = 0;
    memo_.Forget(MemoLine(true, y));
    memo_.Forget(MemoLine(false, x));
}

// A trial line differs from its main-grid line in a few cells. The greedy placements of the
// clues that end before the first differing cell (with a cell to spare) are those of the main
// line, and so are those of the clues that start after the last differing cell, so they are
// taken from the main line's placements (computed once for each state of the main line)
// instead of being searched again.
void SolveDriver::ResumeGreedy(bool isRow, int index, const Clue* clues, LineRef ref,
                               LineSolver::GreedyResume& resume) {
    const int m = ref.count;
    const int n = line_.Length();
    const std::uint8_t* mainLine = isRow ? mainRows_.data() + static_cast<std::size_t>(index) * n
                                         : grid_.Data() + static_cast<std::size_t>(index) * n;
    std::uint8_t& state = (isRow ? rowGreedyState_ : columnGreedyState_)[index];
    // Four planes of all lines' clues: earliest starts, earliest ends, latest starts, latest ends.
    std::vector<std::uint8_t>& planes = isRow ? rowGreedy_ : columnGreedy_;
    const std::size_t plane = planes.size() / 4;
    std::uint8_t* savedLeftStart = planes.data() + ref.offset;
    std::uint8_t* savedLeftEnd = savedLeftStart + plane;
    std::uint8_t* savedRightStart = savedLeftEnd + plane;
    std::uint8_t* savedRightEnd = savedRightStart + plane;
    if (state == 0) {
        state = kGreedyKnown;
        for (int t = 0; t < m; ++t) {
            if (clues[t].bit == 0)
                return;  // a line tested on its raw cells is solved without resuming
        }
        // The main line is loaded for the placements, then the trial line again.
        const std::uint8_t* cross = isRow ? columnMask_.data() : rowMask_.data();
        line_.LoadLine(mainLine, 1, cross, n);
        state |= static_cast<std::uint8_t>(line_.PlaceGreedy(clues, m, savedLeftStart, savedLeftEnd,
                                                             savedRightStart, savedRightEnd));
        LoadTrialLine(isRow, index, n);
    }
    if ((state & (LineSolver::kGreedyLeft | LineSolver::kGreedyRight)) == 0)
        return;
    const int first = FirstDifference(line_.Cells(), mainLine, n);
    const int last = LastDifference(line_.Cells(), mainLine, first, n);
    // Greedy ends grow strictly from clue to clue, and so do greedy starts.
    if ((state & LineSolver::kGreedyLeft) != 0) {
        resume.leftKnown = static_cast<int>(
            std::partition_point(savedLeftEnd, savedLeftEnd + m,
                                 [first](std::uint8_t end) { return end + 1 < first; }) -
            savedLeftEnd);
        line_.SeedLeft(savedLeftStart, savedLeftEnd, resume.leftKnown);
        resume.leftStart = savedLeftStart;
        resume.leftEnd = savedLeftEnd;
        resume.sameAfter = last;
    }
    if ((state & LineSolver::kGreedyRight) != 0) {
        const int from = static_cast<int>(
            std::partition_point(savedRightStart, savedRightStart + m,
                                 [last](std::uint8_t start) { return start - 1 <= last; }) -
            savedRightStart);
        resume.rightKnown = m - from;
        line_.SeedRight(savedRightStart, savedRightEnd, from, resume.rightKnown);
        resume.rightStart = savedRightStart;
        resume.rightEnd = savedRightEnd;
        resume.sameBefore = first;
    }
}

void SolveDriver::RebuildTrialPlanes() {
    const std::size_t cells = static_cast<std::size_t>(width_) * height_;
    trialRows_.assign(cells, 0);
    trialColumnFit_.assign(cells, 0);
    trialColumnOwn_.assign(cells, 0);
    trialRowFit_.assign(cells, 0);
    trialRowOwn_.assign(cells, 0);
    trialColumnColoured_.assign(static_cast<std::size_t>(width_) * kLineWords, 0);
    trialRowColoured_.assign(static_cast<std::size_t>(height_) * kLineWords, 0);
    trialRowSummary_.assign(static_cast<std::size_t>(height_), {});
    trialColumnSummary_.assign(static_cast<std::size_t>(width_), {});
    if (static_cast<std::size_t>(trialGrid_.Size()) != cells ||
        static_cast<std::size_t>(grid_.Size()) != cells) {
        return;
    }
    for (int x = 0; x < width_; ++x) {
        for (int y = 0; y < height_; ++y) {
            const std::size_t at = static_cast<std::size_t>(x) * height_ + y;
            WriteTrialCell(x, y, trialGrid_.Data()[at]);
            AccountTrialCell(x, y, trialGrid_.Data()[at], grid_.Data()[at], 1);
        }
    }
}

void SolveDriver::LoadTrialLine(bool isRow, int index, int n) {
    const std::size_t from = static_cast<std::size_t>(index) * n;
    const std::uint8_t* cells = isRow ? trialRows_.data() + from : trialGrid_.Data() + from;
    const std::uint8_t* fit = (isRow ? trialRowFit_ : trialColumnFit_).data() + from;
    const std::uint8_t* own = (isRow ? trialRowOwn_ : trialColumnOwn_).data() + from;
    const std::uint64_t* coloured = (isRow ? trialRowColoured_ : trialColumnColoured_).data() +
                                    static_cast<std::size_t>(index) * kLineWords;
    line_.LoadPrepared(cells, fit, own, coloured, n);
}

}  // namespace tessemar
