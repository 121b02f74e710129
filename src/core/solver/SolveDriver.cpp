#include "core/solver/SolveDriver.h"

#include "core/solver/ClueSlots.h"

#include <algorithm>
#include <chrono>

namespace tessemar {

void SolveDriver::Prepare(SolveObserver* view, const std::atomic<int>& stopRequest,
                          const PuzzleModel& model) {
    view_ = view;
    stop_ = &stopRequest;
    // The arrays hold 250 lines; a size beyond them would read outside.
    width_ = std::clamp(model.columnCount, 0, kMaxLine);
    height_ = std::clamp(model.rowCount, 0, kMaxLine);
    const int w = width_;
    const int h = height_;
    rowDirty_ = ByteMatrix(h, 1, 1);
    columnDirty_ = ByteMatrix(w, 1, 1);
    CopyPuzzle(model);
    CollectClues(model);
    // A trial changes each cell at most once before it either ends or contradicts; the line that
    // contradicts may add up to one line more.
    trialChanges_.clear();
    trialChanges_.reserve(static_cast<std::size_t>(w) * h + kMaxLine + 1);
    RebuildTrialPlanes();
    mainRows_.assign(static_cast<std::size_t>(w) * h, 0);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            mainRows_[static_cast<std::size_t>(y) * w + x] = grid_.Get(x, y);
    }
    rowGreedy_.assign(4 * rowClues_.size(), 0);
    columnGreedy_.assign(4 * columnClues_.size(), 0);
    rowGreedyState_.assign(static_cast<std::size_t>(h), 0);
    columnGreedyState_.assign(static_cast<std::size_t>(w), 0);
    memo_.Clear();

    result_ = SolveResult{};
    result_.grid = &grid_;
    result_.width = w;
    result_.height = h;
    lastPercent_ = 0;
}

// The starting grid, the colour masks of the lines and the colours worth trying.
void SolveDriver::CopyPuzzle(const PuzzleModel& model) {
    const int w = width_;
    const int h = height_;
    grid_ = ByteMatrix(w, h);
    trialGrid_ = ByteMatrix(w, h, 0);
    knownCells_ = 0;
    // Every slot counts for the colours worth trying, used or not: an empty line's "0 of colour
    // 1" makes colour 1 a value worth trying.
    colorsInUse_.fill(0);
    colorsInUse_[9] = 1;
    rowMask_.assign(static_cast<std::size_t>(h), 0);
    columnMask_.assign(static_cast<std::size_t>(w), 0);
    const auto inUse = [](std::uint8_t number, std::uint8_t colour) {
        return colour >= 1 && colour <= 8 && number >= 1 && number <= 254;
    };
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const auto cell = static_cast<std::uint8_t>(model.cells[x][y]);
            grid_.Set(x, y, cell);
            knownCells_ += cell != 0 ? 1 : 0;
            // Slot x of row y and slot y of column x.
            const std::uint8_t rowColour = model.rowClueColors[x][y];
            const std::uint8_t columnColour = model.columnClueColors[x][y];
            if (inUse(model.rowClueNumbers[x][y], rowColour))
                rowMask_[y] |= ColourBit(rowColour);
            if (inUse(model.columnClueNumbers[x][y], columnColour))
                columnMask_[x] |= ColourBit(columnColour);
            for (std::uint8_t colour : {rowColour, columnColour}) {
                if (colour >= 1 && colour <= 8)
                    colorsInUse_[colour] = 1;
            }
        }
    }
}

// Each line's used clue slots in picture order, as the line solver reads them.
void SolveDriver::CollectClues(const PuzzleModel& model) {
    const auto collect = [&model](std::vector<Clue>& clues, std::vector<LineRef>& refs, bool rows,
                                  int lines, int slots) {
        clues.clear();
        refs.assign(static_cast<std::size_t>(lines), {});
        for (int line = 0; line < lines; ++line) {
            refs[line].offset = static_cast<std::int32_t>(clues.size());
            ForEachClueRun(model, rows, line, slots,
                           [&clues](std::uint8_t number, std::uint8_t colour) {
                               clues.push_back({number, colour, ColourBit(colour)});
                           });
            refs[line].count = static_cast<std::int32_t>(clues.size()) - refs[line].offset;
        }
    };
    collect(rowClues_, rowClueRefs_, true, height_, width_);
    collect(columnClues_, columnClueRefs_, false, width_, height_);
}

void SolveDriver::Run(SolveCommand command, ViewRefresh refresh) {
    const auto startTime = std::chrono::steady_clock::now();
    const bool hint = command == SolveCommandHint;
    int code = 0;
    bool finished = false;
    for (;;) {
        const int r = ScanPass(GridMode::Main, refresh);
        if ((r & (ResultStopped | ResultContradiction)) != 0) {
            code = r;
            finished = true;
            break;
        }
        if (r == 0 || hint)
            break;
    }
    if (!finished) {
        int last = 0;
        for (;;) {
            last = AbsurdPass(command, refresh);
            if (last == 0 || (last & (ResultStopped | ResultContradiction)) != 0 || hint)
                break;
        }
        CountKnownCells();
        code = (knownCells_ < width_ * height_ ? ResultIncomplete : ResultChanged) | last;
    }
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    result_.code = code;
    result_.elapsedMs = static_cast<std::int32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    result_.knownCells = knownCells_;
}

void SolveDriver::CountKnownCells() {
    knownCells_ = 0;
    const int n = width_ * height_;
    for (int i = 0; i < n; ++i)
        knownCells_ += grid_.Get(i) != 0 ? 1 : 0;
}

int SolveDriver::ScanPass(GridMode mode, ViewRefresh refresh) {
    const int r = ScanDirtyLines(true, mode, refresh);
    if ((r & (ResultStopped | ResultContradiction)) != 0)
        return r;
    // Columns made dirty by this sweep's rows are solved in it; rows made dirty by the columns
    // wait for the next sweep.
    return r | ScanDirtyLines(false, mode, refresh);
}

int SolveDriver::ScanDirtyLines(bool rows, GridMode mode, ViewRefresh refresh) {
    ByteMatrix& dirty = rows ? rowDirty_ : columnDirty_;
    const bool main = mode == GridMode::Main;
    std::int32_t& scans = rows ? (main ? result_.normalRowScans : result_.trialRowScans)
                               : (main ? result_.normalColumnScans : result_.trialColumnScans);
    const int count = rows ? height_ : width_;
    int r = 0;
    for (int i = 0; i < count; ++i) {
        if (dirty.Get(i) == 0)
            continue;
        ++scans;
        r |= SolveGridLine(rows, i, mode, refresh);
        dirty.Set(i, 0);
        if ((r & (ResultStopped | ResultContradiction)) != 0) {
            if (main) {
                const int at = (r & ResultContradiction) != 0 ? line_.ConflictPosition() : -1;
                result_.contradictionX = rows ? at : i;
                result_.contradictionY = rows ? i : at;
            }
            return r;
        }
    }
    return r;
}

int SolveDriver::SolveGridLine(bool isRow, int index, GridMode mode, ViewRefresh refresh) {
    if (index < 0 || index >= (isRow ? height_ : width_))
        return 0;
    if (StopRequested())
        return ResultStopped;
    const int n = isRow ? width_ : height_;
    const LineRef ref = isRow ? rowClueRefs_[index] : columnClueRefs_[index];
    const Clue* clues = (isRow ? rowClues_.data() : columnClues_.data()) + ref.offset;
    const std::uint8_t* cross = isRow ? columnMask_.data() : rowMask_.data();
    LineSolver::GreedyResume resume;
    const bool remember = mode == GridMode::Trial && shortcuts_.rememberTrialLines;
    if (mode == GridMode::Main) {
        // The grid is column-major: a column is contiguous, a row has stride H.
        const std::size_t base =
            isRow ? static_cast<std::size_t>(index) : static_cast<std::size_t>(index) * height_;
        const std::size_t stride = isRow ? static_cast<std::size_t>(height_) : 1;
        line_.LoadLine(grid_.Data() + base, stride, cross, n);
    } else {
        if (remember) {
            const std::size_t from = static_cast<std::size_t>(index) * n;
            const std::uint8_t* trialLine = (isRow ? trialRows_.data() : trialGrid_.Data()) + from;
            const std::uint8_t* mainLine = (isRow ? mainRows_.data() : grid_.Data()) + from;
            const TrialLineMemo::Summary summary =
                (isRow ? trialRowSummary_ : trialColumnSummary_)[static_cast<std::size_t>(index)];
            TrialLineMemo::Answer answer;
            if (memo_.Find(MemoLine(isRow, index), trialLine, mainLine, n, summary, answer))
                return ApplyRememberedLine(isRow, index, trialLine, answer);
        }
        LoadTrialLine(isRow, index, n);
        if (shortcuts_.reuseGreedy)
            ResumeGreedy(isRow, index, clues, ref, resume);
    }
    int r = line_.Solve(clues, ref.count, cross, resume);
    if (r == 0)
        r = line_.Apply(isRow ? columnDirty_.Data() : rowDirty_.Data());
    if (mode == GridMode::Main)
        return StoreMainLine(isRow, index, r, refresh);
    return StoreTrialLine(isRow, index, r, remember);
}

int SolveDriver::StoreMainLine(bool isRow, int index, int r, ViewRefresh refresh) {
    const std::uint8_t* line = line_.Cells();
    const std::uint8_t* work = line_.Work();
    const int n = line_.Length();
    // A line that cannot be placed at all changes nothing. A conflicting line is stored too:
    // the cells before the conflict keep their new values, the cells after it the colours
    // painted into them. The trial grid mirrors the main grid between trials.
    const bool placed = !((r & ResultContradiction) != 0 && line_.ConflictPosition() < 0);
    if (!placed)
        return r;
    for (int i = 0; i < n; ++i) {
        if (work[i] != line[i])
            SetMainCell(isRow ? i : index, isRow ? index : i, work[i]);
    }
    const int changes = line_.Changes();
    if (refresh == ViewRefresh::On && view_ != nullptr && (r & ResultContradiction) == 0) {
        const std::uint8_t* changedAt = line_.ChangedPositions().data();
        for (int c = 0; c < changes; ++c) {
            const int i = changedAt[c];
            if (work[i] != kSolverBlank)
                view_->OnSolveCellFixed(isRow ? i : index, isRow ? index : i, work[i]);
        }
    }
    knownCells_ += changes;
    const int total = width_ * height_;
    const int percent =
        total > 0 ? static_cast<int>(static_cast<std::int64_t>(knownCells_) * 100 / total) : 0;
    if (percent != lastPercent_) {
        if (view_ != nullptr)
            view_->OnSolveProgress(knownCells_);
        lastPercent_ = percent;
    }
    return r;
}

int SolveDriver::StoreTrialLine(bool isRow, int index, int r, bool remember) {
    const bool conflict = (r & ResultContradiction) != 0;
    if (remember) {
        memo_.Remember(conflict ? TrialLineMemo::kConflict : line_.Changes(),
                       line_.ChangedPositions().data(), line_.Work());
    }
    // A trial that contradicts is thrown away whole, so only a consistent line is stored.
    if (conflict)
        return r;
    const std::uint8_t* work = line_.Work();
    const std::uint8_t* changedAt = line_.ChangedPositions().data();
    for (int c = 0; c < line_.Changes(); ++c) {
        const int i = changedAt[c];
        const int x = isRow ? i : index;
        const int y = isRow ? index : i;
        SetTrialCell(x, y, work[i]);
        trialChanges_.push_back(static_cast<std::int32_t>(x * height_ + y));
    }
    return r;
}

int SolveDriver::AbsurdPass(SolveCommand command, ViewRefresh refresh) {
    const bool hint = command == SolveCommandHint;
    int result = 0;
    // The trial grid starts as a copy of the main grid; the copy waits for the first unknown
    // cell, since a line-solved puzzle has none.
    bool trialReady = false;
    // A run of sweeps that ends with nothing changed leaves every dirty flag clear, so the flags
    // need clearing only after a run that stopped early (and once here: a hint's single sweep
    // may leave some set).
    bool flagsLeft = true;
    const int total = width_ * height_;
    for (int index = 0; index < total; ++index) {
        if (grid_.Get(index) != 0)
            continue;
        if (!trialReady) {
            trialGrid_ = grid_;
            RebuildTrialPlanes();
            trialChanges_.clear();
            trialReady = true;
        }
        const int x = index / height_;
        const int y = index % height_;
        std::array<std::uint8_t, 10> possible = colorsInUse_;
        const int consistent = TryCell(x, y, possible, flagsLeft, refresh);
        if (consistent < 0)
            return ResultStopped;
        ++result_.tries;
        if (consistent >= 2)
            continue;
        if (consistent == 0) {
            result_.contradictionX = x;
            result_.contradictionY = y;
            return ResultContradiction;
        }
        ++result_.fixedByTrial;
        int value = 1;
        while (value < 9 && possible[value] == 0)
            ++value;
        SetMainCell(x, y, value == 9 ? kSolverBlank : static_cast<std::uint8_t>(value));
        if (flagsLeft)
            ClearDirtyFlags();
        rowDirty_.Set(y, 1);
        columnDirty_.Set(x, 1);
        int r;
        for (;;) {
            r = ScanPass(GridMode::Main, refresh);
            if (r == 0 || (r & (ResultStopped | ResultContradiction)) != 0 || hint)
                break;
        }
        flagsLeft = r != 0;
        result = r | ResultChanged;
        if (hint || (result & (ResultStopped | ResultContradiction)) != 0)
            return result;
    }
    return result;
}

// Tries the values 1..8 and blank (9) in turn until two are consistent; a stop gives -1.
int SolveDriver::TryCell(int x, int y, std::array<std::uint8_t, 10>& possible, bool& flagsLeft,
                         ViewRefresh refresh) {
    int consistent = 0;
    for (int v = 1; v <= 9 && consistent < 2; ++v) {
        if (possible[v] == 0)
            continue;
        RestoreTrialGrid();
        SetTrialCell(x, y, v == 9 ? kSolverBlank : static_cast<std::uint8_t>(v));
        trialChanges_.push_back(static_cast<std::int32_t>(x * height_ + y));
        if (flagsLeft)
            ClearDirtyFlags();
        rowDirty_.Set(y, 1);
        columnDirty_.Set(x, 1);
        int r;
        do {
            r = ScanPass(GridMode::Trial, refresh);
        } while (r != 0 && (r & (ResultStopped | ResultContradiction)) == 0);
        if ((r & ResultStopped) != 0) {
            RestoreTrialGrid();
            return -1;
        }
        flagsLeft = r != 0;
        if ((r & ResultContradiction) != 0) {
            possible[v] = 0;
        } else {
            ++consistent;
        }
    }
    RestoreTrialGrid();
    return consistent;
}

void SolveDriver::ClearDirtyFlags() {
    rowDirty_.Fill(0);
    columnDirty_.Fill(0);
}

}  // namespace tessemar
