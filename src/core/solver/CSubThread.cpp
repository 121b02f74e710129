#include "core/solver/CSubThread.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

namespace tessemar {
namespace {

// The word-at-a-time scans take the byte at the lowest address as the lowest byte of a word.
static_assert(std::endian::native == std::endian::little);

inline bool IsColoured(std::uint8_t v) {
    return v >= 1 && v <= 250;
}

// The colour bit of every cell value: 1..8 have one, nothing else has.
constexpr std::array<std::uint8_t, 256> kOwnBit = [] {
    std::array<std::uint8_t, 256> table{};
    for (int c = 1; c <= 8; ++c)
        table[c] = static_cast<std::uint8_t>(1u << (c - 1));
    return table;
}();

inline std::uint8_t ColourBit(std::uint8_t colour) {
    return colour >= 1 && colour <= 8 ? static_cast<std::uint8_t>(1u << (colour - 1)) : 0;
}

inline bool UsedSlot(std::uint8_t number, std::uint8_t colour) {
    return number != 0 && number != 255 && colour != 0;
}

// A run of colour c fits on cell i when the cell already has that colour, or is unknown and
// the crossing line has a clue of that colour.
inline bool Fits(std::uint8_t v, std::uint8_t crossMask, std::uint8_t c, std::uint8_t bit) {
    return v == c || (v == 0 && (crossMask & bit) != 0);
}

// The first start at or after `from` where a run of `length` cells of colour c passes the
// placement test (every cell fits, no cell of its own colour directly before or after), or -1
// when the run's end would pass the end of the line. Equivalent to moving the run one cell at a
// time, but a cell that does not fit is skipped over at once.
int FitRightward(const std::uint8_t* line, const std::uint8_t* cross, int n, int from, int length,
                 std::uint8_t c, std::uint8_t bit) {
    int s = from;
    int ok = 0;  // cells from s on known to fit
    int i = s;
    for (;;) {
        while (ok < length) {
            if (i >= n)
                return -1;
            if (Fits(line[i], cross[i], c, bit)) {
                ++ok;
            } else {
                ok = 0;
                s = i + 1;
            }
            ++i;
        }
        if ((s > 0 && line[s - 1] == c) || (i < n && line[i] == c)) {
            ++s;
            --ok;
            continue;
        }
        return s;
    }
}

// The mirror image: the last end at or before `from`, or -1 when the start would drop below 0.
int FitLeftward(const std::uint8_t* line, const std::uint8_t* cross, int n, int from, int length,
                std::uint8_t c, std::uint8_t bit) {
    int e = from;
    int ok = 0;
    int i = e;
    for (;;) {
        while (ok < length) {
            if (i < 0)
                return -1;
            if (Fits(line[i], cross[i], c, bit)) {
                ++ok;
            } else {
                ok = 0;
                e = i - 1;
            }
            --i;
        }
        if ((e < n - 1 && line[e + 1] == c) || (i >= 0 && line[i] == c)) {
            --e;
            --ok;
            continue;
        }
        return e;
    }
}

// Whether the `length` (1..8) cells from `at` all have `bit` in their fit bits; one word
// operation instead of a loop whose exit the processor cannot predict. The fit bits have room
// for a word read past the line's last cell.
inline bool WindowFits(const std::uint8_t* fit, int at, int length, std::uint8_t bit) {
    std::uint64_t word;
    std::memcpy(&word, fit + at, sizeof word);
    const std::uint64_t lanes = length >= 8 ? ~0ull : (1ull << (8 * length)) - 1;
    const std::uint64_t want = (0x0101010101010101ull * bit) & lanes;
    return (word & want) == want;
}

// The same two searches on per-cell colour bits: fit[i] holds the colours a run may put on cell
// i, own[i] the colour the cell has. Only for clue colours 1..8, which have a bit.
int FitRightwardBits(const std::uint8_t* fit, const std::uint8_t* own, int n, int from, int length,
                     std::uint8_t bit) {
    // Most runs fit where they are first put.
    if (length <= 8 && from + length <= n) {
        const bool before = from > 0 && (own[from - 1] & bit) != 0;
        const bool after = from + length < n && (own[from + length] & bit) != 0;
        if (WindowFits(fit, from, length, bit) & !before & !after)
            return from;
    }
    int s = from;
    int ok = 0;
    int i = s;
    for (;;) {
        while (ok < length) {
            if (i >= n)
                return -1;
            if ((fit[i] & bit) != 0) {
                ++ok;
            } else {
                ok = 0;
                s = i + 1;
            }
            ++i;
        }
        if ((s > 0 && (own[s - 1] & bit) != 0) || (i < n && (own[i] & bit) != 0)) {
            ++s;
            --ok;
            continue;
        }
        return s;
    }
}

int FitLeftwardBits(const std::uint8_t* fit, const std::uint8_t* own, int n, int from, int length,
                    std::uint8_t bit) {
    const int first = from - length + 1;
    if (length <= 8 && first >= 0) {
        const bool after = from < n - 1 && (own[from + 1] & bit) != 0;
        const bool before = first > 0 && (own[first - 1] & bit) != 0;
        if (WindowFits(fit, first, length, bit) & !before & !after)
            return from;
    }
    int e = from;
    int ok = 0;
    int i = e;
    for (;;) {
        while (ok < length) {
            if (i < 0)
                return -1;
            if ((fit[i] & bit) != 0) {
                ++ok;
            } else {
                ok = 0;
                e = i - 1;
            }
            --i;
        }
        if ((e < n - 1 && (own[e + 1] & bit) != 0) || (i >= 0 && (own[i] & bit) != 0)) {
            --e;
            --ok;
            continue;
        }
        return e;
    }
}

// The first index below n where a and b differ, or n; compared a word at a time.
int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int n) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t wa, wb;
        std::memcpy(&wa, a + i, sizeof wa);
        std::memcpy(&wb, b + i, sizeof wb);
        if (wa != wb)
            return i + std::countr_zero(wa ^ wb) / 8;  // the lowest byte is the first cell
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// The last index from `from` to n - 1 where a and b differ, or from - 1.
int LastDifference(const std::uint8_t* a, const std::uint8_t* b, int from, int n) {
    int i = n;  // cells from i on are equal
    for (; i - 8 >= from; i -= 8) {
        std::uint64_t wa, wb;
        std::memcpy(&wa, a + i - 8, sizeof wa);
        std::memcpy(&wb, b + i - 8, sizeof wb);
        if (wa != wb)
            return i - 8 + (63 - std::countl_zero(wa ^ wb)) / 8;
    }
    while (i > from && a[i - 1] == b[i - 1])
        --i;
    return i - 1;
}

// How a placement pass tests a run: on the raw cells (any colour byte) or on colour bits.
struct RawCells {
    const std::uint8_t* line;
    const std::uint8_t* cross;
    int Right(int n, int from, const CSubThread::Clue& clue) const {
        return FitRightward(line, cross, n, from, clue.length, clue.colour, clue.bit);
    }
    int Left(int n, int from, const CSubThread::Clue& clue) const {
        return FitLeftward(line, cross, n, from, clue.length, clue.colour, clue.bit);
    }
    // The nearest coloured cell from `from` down to just above `stop`, or up to just below it;
    // stop itself when there is none.
    int LastColoured(int from, int stop) const {
        int p = from;
        while (p > stop && !IsColoured(line[p]))
            --p;
        return p;
    }
    int FirstColoured(int from, int stop) const {
        int p = from;
        while (p < stop && !IsColoured(line[p]))
            ++p;
        return p;
    }
};

struct CellBits {
    const std::uint8_t* fit;
    const std::uint8_t* own;
    // One bit per coloured cell, so that the long searches for coloured cells take a few
    // word operations.
    const std::uint64_t* coloured;
    int LastColoured(int from, int stop) const {
        if (from <= stop)
            return stop;
        int k = from >> 6;
        std::uint64_t word = coloured[k] & (~0ull >> (63 - (from & 63)));
        for (;;) {
            if (word != 0) {
                const int p = (k << 6) + 63 - std::countl_zero(word);
                return p > stop ? p : stop;
            }
            if (--k < 0 || (k << 6) + 63 <= stop)
                return stop;
            word = coloured[k];
        }
    }
    int FirstColoured(int from, int stop) const {
        if (from >= stop)
            return stop;
        int k = from >> 6;
        std::uint64_t word = coloured[k] & (~0ull << (from & 63));
        for (;;) {
            if (word != 0) {
                const int p = (k << 6) + std::countr_zero(word);
                return p < stop ? p : stop;
            }
            if (++k > ((stop - 1) >> 6))
                return stop;
            word = coloured[k];
        }
    }
    int Right(int n, int from, const CSubThread::Clue& clue) const {
        return FitRightwardBits(fit, own, n, from, clue.length, clue.bit);
    }
    int Left(int n, int from, const CSubThread::Clue& clue) const {
        return FitLeftwardBits(fit, own, n, from, clue.length, clue.bit);
    }
};

// Earliest placement: a greedy pass from the first clue, then a pass from the last clue that
// pulls a clue right onto a coloured cell that no later clue can cover.
// The first `known` clues' greedy placements are already in start and end. A clue's greedy
// placement depends only on the previous clue's and on the cells from just before the earliest
// start it may take to just after the end it takes.
template <typename Cells>
int LeftmostGreedy(const Cells& cells, int n, const CSubThread::Clue* clues, int m,
                   std::uint8_t* start, std::uint8_t* end, const CSubThread::GreedyResume& resume) {
    const int known = resume.leftKnown;
    int prevEnd = known > 0 ? end[known - 1] : -1;
    int prevColour = known > 0 ? clues[known - 1].colour : 0;
    for (int t = known; t < m; ++t) {
        const int length = clues[t].length;
        const int from = prevEnd + 1 + (clues[t].colour == prevColour ? 1 : 0);
        if (from + length > n)
            return ResultContradiction;
        const int s = cells.Right(n, from, clues[t]);
        if (s < 0)
            return ResultContradiction;
        start[t] = static_cast<std::uint8_t>(s);
        end[t] = static_cast<std::uint8_t>(s + length - 1);
        prevEnd = s + length - 1;
        prevColour = clues[t].colour;
        // The later clues see the same cells and the same previous clue as on the main line.
        if (resume.leftEnd != nullptr && prevEnd > resume.sameAfter &&
            prevEnd == resume.leftEnd[t]) {
            const auto rest = static_cast<std::size_t>(m - 1 - t);
            std::memcpy(start + t + 1, resume.leftStart + t + 1, rest);
            std::memcpy(end + t + 1, resume.leftEnd + t + 1, rest);
            return 0;
        }
    }
    return 0;
}

template <typename Cells>
int LeftmostKernel(const Cells& cells, int n, const CSubThread::Clue* clues, int m,
                   std::uint8_t* start, std::uint8_t* end, const CSubThread::GreedyResume& resume) {
    if (LeftmostGreedy(cells, n, clues, m, start, end, resume) != 0)
        return ResultContradiction;
    int limit = n;
    for (int t = m - 1; t >= 0; --t) {
        const int stopAt = end[t];
        const int p = cells.LastColoured(limit - 1, stopAt);
        if (p <= stopAt) {
            limit = start[t];
            continue;
        }
        const int length = clues[t].length;
        const int s = cells.Right(n, p - length + 1, clues[t]);
        if (s < 0)
            return ResultContradiction;
        start[t] = static_cast<std::uint8_t>(s);
        end[t] = static_cast<std::uint8_t>(s + length - 1);
        limit = s;
    }
    return 0;
}

// The mirror image: the last `known` clues' greedy placements are already in start and end.
template <typename Cells>
int RightmostGreedy(const Cells& cells, int n, const CSubThread::Clue* clues, int m,
                    std::uint8_t* start, std::uint8_t* end,
                    const CSubThread::GreedyResume& resume) {
    const int known = resume.rightKnown;
    int prevStart = known > 0 ? start[m - known] : n;
    int prevColour = known > 0 ? clues[m - known].colour : 0;
    for (int t = m - 1 - known; t >= 0; --t) {
        const int length = clues[t].length;
        const int from = prevStart - 1 - (clues[t].colour == prevColour ? 1 : 0);
        if (from + 1 < length)
            return ResultContradiction;
        const int e = cells.Left(n, from, clues[t]);
        if (e < 0)
            return ResultContradiction;
        start[t] = static_cast<std::uint8_t>(e - length + 1);
        end[t] = static_cast<std::uint8_t>(e);
        prevStart = e - length + 1;
        prevColour = clues[t].colour;
        if (resume.rightStart != nullptr && prevStart < resume.sameBefore &&
            prevStart == resume.rightStart[t]) {
            const auto rest = static_cast<std::size_t>(t);
            std::memcpy(start, resume.rightStart, rest);
            std::memcpy(end, resume.rightEnd, rest);
            return 0;
        }
    }
    return 0;
}

template <typename Cells>
int RightmostKernel(const Cells& cells, int n, const CSubThread::Clue* clues, int m,
                    std::uint8_t* start, std::uint8_t* end,
                    const CSubThread::GreedyResume& resume) {
    if (RightmostGreedy(cells, n, clues, m, start, end, resume) != 0)
        return ResultContradiction;
    int limit = -1;
    for (int t = 0; t < m; ++t) {
        const int stopAt = start[t];
        const int p = cells.FirstColoured(limit + 1, stopAt);
        if (p >= stopAt) {
            limit = end[t];
            continue;
        }
        const int length = clues[t].length;
        const int e = cells.Left(n, p + length - 1, clues[t]);
        if (e < 0)
            return ResultContradiction;
        start[t] = static_cast<std::uint8_t>(e - length + 1);
        end[t] = static_cast<std::uint8_t>(e);
        limit = e;
    }
    return 0;
}

// A line's used clues from the first (highest slot) to the last (slot 0).
int CompactClues(const ByteMatrix& numbers, const ByteMatrix& colours, int n, CSubThread::Clue* out,
                 int* slotOf) {
    int m = 0;
    const int slots = std::min({n, numbers.Size(), colours.Size()});
    for (int k = slots - 1; k >= 0; --k) {
        const std::uint8_t number = numbers.Get(k);
        const std::uint8_t colour = colours.Get(k);
        if (!UsedSlot(number, colour))
            continue;
        out[m] = {number, colour, ColourBit(colour)};
        if (slotOf != nullptr)
            slotOf[m] = k;
        ++m;
    }
    return m;
}

// The crossing-colour table as one bit per colour for each cell.
void CrossMask(const ByteMatrix& crossHasColor, int n, std::uint8_t* mask) {
    for (int i = 0; i < n; ++i) {
        std::uint8_t bits = 0;
        for (int c = 1; c <= 8 && c < crossHasColor.Rows(); ++c) {
            if (i < crossHasColor.Columns() && crossHasColor.Get(c, i) != 0)
                bits |= ColourBit(static_cast<std::uint8_t>(c));
        }
        mask[i] = bits;
    }
}

}  // namespace

CSubThread::CSubThread() = default;

CSubThread::~CSubThread() {
    Join();
}

void CSubThread::PrepareSolve(SolveObserver* view, const std::atomic<int>& stopRequest,
                              const PuzzleModel& model) {
    PrepareSolve(view, stopRequest, model.cells, model.rowClueNumbers, model.columnClueNumbers,
                 model.rowClueColors, model.columnClueColors, model.columnCount, model.rowCount);
}

void CSubThread::PrepareSolve(SolveObserver* view, const std::atomic<int>& stopRequest,
                              const Grid<std::int8_t>& picture,
                              const Grid<std::uint8_t>& rowNumbers,
                              const Grid<std::uint8_t>& columnNumbers,
                              const Grid<std::uint8_t>& rowColors,
                              const Grid<std::uint8_t>& columnColors, int width, int height) {
    view_ = view;
    stop_ = &stopRequest;
    // The arrays hold 250 lines; a size beyond them would read outside.
    width_ = std::clamp(width, 0, kMaxLine);
    height_ = std::clamp(height, 0, kMaxLine);
    const int w = width_;
    const int h = height_;

    rowDirty_ = ByteMatrix(h, 1, 1);
    columnDirty_ = ByteMatrix(w, 1, 1);
    grid_ = ByteMatrix(w, h);
    trialGrid_ = ByteMatrix(w, h, 0);
    rowNumbers_ = ByteMatrix(w, h);
    rowColors_ = ByteMatrix(w, h);
    columnNumbers_ = ByteMatrix(w, h);
    columnColors_ = ByteMatrix(w, h);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            grid_.Set(x, y, static_cast<std::uint8_t>(picture[x][y]));
            rowNumbers_.Set(x, y, rowNumbers[x][y]);
            rowColors_.Set(x, y, rowColors[x][y]);
            columnNumbers_.Set(x, y, columnNumbers[x][y]);
            columnColors_.Set(x, y, columnColors[x][y]);
        }
    }

    knownCells_ = 0;
    for (int i = 0; i < w * h; ++i)
        knownCells_ += grid_.Get(i) != 0 ? 1 : 0;

    for (int c = 0; c <= 8; ++c) {
        rowHasColor_[c] = ByteMatrix(h, 1, 0);
        columnHasColor_[c] = ByteMatrix(w, 1, 0);
    }
    for (int y = 0; y < h; ++y) {
        for (int k = 0; k < w; ++k) {
            const std::uint8_t number = rowNumbers_.Get(k, y);
            const std::uint8_t colour = rowColors_.Get(k, y);
            if (colour >= 1 && colour <= 8 && number >= 1 && number <= 254)
                rowHasColor_[colour].Set(y, 1);
        }
    }
    for (int x = 0; x < w; ++x) {
        for (int k = 0; k < h; ++k) {
            const std::uint8_t number = columnNumbers_.Get(x, k);
            const std::uint8_t colour = columnColors_.Get(x, k);
            if (colour >= 1 && colour <= 8 && number >= 1 && number <= 254)
                columnHasColor_[colour].Set(x, 1);
        }
    }

    // Every slot counts here, used or not: an empty line's "0 of colour 1" makes colour 1 a
    // value worth trying.
    colorsInUse_.fill(0);
    colorsInUse_[9] = 1;
    for (int i = 0; i < w * h; ++i) {
        for (std::uint8_t colour : {rowColors_.Get(i), columnColors_.Get(i)}) {
            if (colour >= 1 && colour <= 8)
                colorsInUse_[colour] = 1;
        }
    }

    rowMask_.assign(static_cast<std::size_t>(h), 0);
    columnMask_.assign(static_cast<std::size_t>(w), 0);
    for (int c = 1; c <= 8; ++c) {
        for (int y = 0; y < h; ++y) {
            if (rowHasColor_[c].Get(y))
                rowMask_[y] |= ColourBit(static_cast<std::uint8_t>(c));
        }
        for (int x = 0; x < w; ++x) {
            if (columnHasColor_[c].Get(x))
                columnMask_[x] |= ColourBit(static_cast<std::uint8_t>(c));
        }
    }
    // Each line's used clue slots, from the far end of the line's clue to the picture, so that
    // the line solver reads them in picture order.
    const auto collectClues = [](std::vector<Clue>& clues, std::vector<LineRef>& refs, int lines,
                                 int slots, auto slotAt) {
        clues.clear();
        refs.assign(static_cast<std::size_t>(lines), {});
        for (int line = 0; line < lines; ++line) {
            refs[line].offset = static_cast<std::int32_t>(clues.size());
            for (int k = slots - 1; k >= 0; --k) {
                const auto [number, colour] = slotAt(line, k);
                if (UsedSlot(number, colour))
                    clues.push_back({number, colour, ColourBit(colour)});
            }
            refs[line].count = static_cast<std::int32_t>(clues.size()) - refs[line].offset;
        }
    };
    collectClues(rowClues_, rowClueRefs_, h, w, [this](int y, int k) {
        return std::pair{rowNumbers_.Get(k, y), rowColors_.Get(k, y)};
    });
    collectClues(columnClues_, columnClueRefs_, w, h, [this](int x, int k) {
        return std::pair{columnNumbers_.Get(x, k), columnColors_.Get(x, k)};
    });
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
    linePosition_ = -1;
}

void CSubThread::Start(int command, int updateView) {
    Join();
    thread_ = std::thread([this, command, updateView] { OnStartSolve(command, updateView); });
}

void CSubThread::Join() {
    if (thread_.joinable())
        thread_.join();
}

void CSubThread::OnStartSolve(int command, int updateView) {
    startTime_ = std::chrono::steady_clock::now();
    const bool hint = command == SolveCommandHint;
    int code = 0;
    bool finished = false;
    for (;;) {
        const int r = ScanPass(1, updateView);
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
            last = AbsurdPass(hint ? 1 : 0, updateView);
            if (last == 0 || (last & (ResultStopped | ResultContradiction)) != 0 || hint)
                break;
        }
        const int n = width_ * height_;
        bool unknownLeft = false;
        knownCells_ = 0;
        for (int i = 0; i < n; ++i) {
            if (grid_.Get(i) != 0) {
                ++knownCells_;
            } else {
                unknownLeft = true;
            }
        }
        code = (unknownLeft ? ResultIncomplete : ResultChanged) | last;
    }
    const auto elapsed = std::chrono::steady_clock::now() - startTime_;
    result_.code = code;
    result_.elapsedMs = static_cast<std::int32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    result_.knownCells = knownCells_;
    result_.grid = &grid_;
    result_.width = width_;
    result_.height = height_;
    if (view_ != nullptr) {
        view_->OnSolveReleaseCapture();
        view_->OnSolveFinished(command, result_);
    }
}

int CSubThread::ScanPass(int mode, int updateView) {
    const int r = ScanDirtyLines(true, mode, updateView);
    if ((r & (ResultStopped | ResultContradiction)) != 0)
        return r;
    // Columns made dirty by this sweep's rows are solved in it; rows made dirty by the columns
    // wait for the next sweep.
    return r | ScanDirtyLines(false, mode, updateView);
}

int CSubThread::ScanDirtyLines(bool rows, int mode, int updateView) {
    ByteMatrix& dirty = rows ? rowDirty_ : columnDirty_;
    std::int32_t& scans = rows ? (mode == 1 ? result_.normalRowScans : result_.trialRowScans)
                               : (mode == 1 ? result_.normalColumnScans : result_.trialColumnScans);
    const int count = rows ? height_ : width_;
    int r = 0;
    for (int i = 0; i < count; ++i) {
        if (dirty.Get(i) == 0)
            continue;
        ++scans;
        r |= SolveGridLine(rows, i, mode, updateView);
        dirty.Set(i, 0);
        if ((r & (ResultStopped | ResultContradiction)) != 0) {
            if (mode == 1) {
                result_.contradictionX = rows ? linePosition_ : i;
                result_.contradictionY = rows ? i : linePosition_;
            }
            return r;
        }
    }
    return r;
}

int CSubThread::SolveRow(int y, int mode, int updateView) {
    return SolveGridLine(true, y, mode, updateView);
}

int CSubThread::SolveColumn(int x, int mode, int updateView) {
    return SolveGridLine(false, x, mode, updateView);
}

void CSubThread::LoadLine(const std::uint8_t* cells, std::size_t stride, const std::uint8_t* cross,
                          int n) {
    // Branch-free: the cells of a line come in no order a processor could predict.
    std::uint8_t* line = lineBuf_.data();
    std::uint64_t colouredWord = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t v = cells[i * stride];
        line[i] = v;
        const std::uint8_t own = kOwnBit[v];
        ownBits_[i] = own;
        fitBits_[i] = static_cast<std::uint8_t>(own | (cross[i] & -static_cast<int>(v == 0)));
        colouredWord |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(v - 1) < 250)
                        << (i & 63);
        if ((i & 63) == 63) {
            colouredSet_[i >> 6] = colouredWord;
            colouredWord = 0;
        }
    }
    if ((n & 63) != 0)
        colouredSet_[n >> 6] = colouredWord;
}

int CSubThread::SolveGridLine(bool isRow, int index, int mode, int updateView) {
    if (index < 0 || index >= (isRow ? height_ : width_))
        return 0;
    std::uint8_t* g = mode == 1 ? grid_.Data() : trialGrid_.Data();
    const int n = isRow ? width_ : height_;
    // The grid is column-major: a column is contiguous, a row has stride H.
    const std::size_t base =
        isRow ? static_cast<std::size_t>(index) : static_cast<std::size_t>(index) * height_;
    const std::size_t stride = isRow ? static_cast<std::size_t>(height_) : 1;
    const LineRef ref = isRow ? rowClueRefs_[index] : columnClueRefs_[index];
    const Clue* clues = (isRow ? rowClues_.data() : columnClues_.data()) + ref.offset;
    const std::uint8_t* cross = isRow ? columnMask_.data() : rowMask_.data();
    std::uint8_t* line = lineBuf_.data();
    std::uint8_t* work = workBuf_.data();
    // The line, with the colour bits the placement passes test: a known cell fits only its own
    // colour, an unknown one every colour its crossing line has.
    GreedyResume resume;
    const bool remember = mode == 0 && shortcuts_.rememberTrialLines;
    if (mode == 1) {
        LoadLine(g + base, stride, cross, n);
    } else {
        if (remember) {
            if (StopRequested())
                return ResultStopped;
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
            ResumeGreedy(isRow, index, n, clues, ref, resume);
    }
    std::memcpy(work, line, static_cast<std::size_t>(n));

    int r = SolveLineKernel(mode, line, n, clues, ref.count, cross, work, nullptr, resume);
    if ((r & (ResultStopped | ResultContradiction)) != 0) {
        if (remember && (r & ResultStopped) == 0)
            memo_.Remember(TrialLineMemo::kConflict, nullptr, nullptr);
        return r;
    }

    int count = 0;
    std::uint8_t* crossDirty = isRow ? columnDirty_.Data() : rowDirty_.Data();
    int changedCount = 0;
    r |= ApplyKernel(mode, work, nullptr, line, n, crossDirty, changedAt_.data(), count);
    changedCount = count;
    const bool conflict = (r & ResultContradiction) != 0;

    if (mode == 1) {
        // A conflicting line is stored too: the cells before the conflict keep their new values,
        // the cells after it the colours painted into them. The trial grid mirrors the main grid
        // between trials.
        for (int i = 0; i < n; ++i) {
            if (work[i] != line[i])
                SetMainCell(isRow ? i : index, isRow ? index : i, work[i]);
        }
        if (updateView != 0 && view_ != nullptr && !conflict) {
            for (int c = 0; c < changedCount; ++c) {
                const int i = changedAt_[c];
                if (work[i] != kSolverBlank) {
                    view_->OnSolveCellFixed(isRow ? i : index, isRow ? index : i, work[i]);
                }
            }
        }
        knownCells_ += count;
        const int total = width_ * height_;
        const int percent =
            total > 0 ? static_cast<int>(static_cast<std::int64_t>(knownCells_) * 100 / total) : 0;
        if (percent != lastPercent_) {
            if (view_ != nullptr)
                view_->OnSolveProgress(knownCells_);
            lastPercent_ = percent;
        }
    } else {
        if (remember)
            memo_.Remember(conflict ? TrialLineMemo::kConflict : changedCount, changedAt_.data(),
                           work);
        if (conflict)
            return r;
        // A trial that contradicts is thrown away whole, so only a consistent line is stored.
        for (int c = 0; c < changedCount; ++c) {
            const int i = changedAt_[c];
            const std::size_t at = base + static_cast<std::size_t>(i) * stride;
            SetTrialCell(isRow ? i : index, isRow ? index : i, work[i]);
            trialChanges_.push_back(static_cast<std::int32_t>(at));
        }
    }
    return r;
}

// Solves one grid line whose colour bits are in fitBits_ and ownBits_. With reach given, fills
// it with the cells some clue can reach; without, leaves the coverage counts in cover_ for
// ApplyKernel.
int CSubThread::SolveLineKernel(int mode, const std::uint8_t* line, int n, const Clue* clues, int m,
                                const std::uint8_t* crossMask, std::uint8_t* work,
                                std::uint8_t* reach, const GreedyResume& resume) {
    if (StopRequested())
        return ResultStopped;
    // A colour outside 1..8 (only a damaged file has one) has no bit: such lines are tested on
    // the raw cells.
    bool bits = true;
    for (int t = 0; t < m; ++t)
        bits = bits && clues[t].bit != 0;
    int r;
    if (bits) {
        const CellBits cells{fitBits_.data(), ownBits_.data(), colouredSet_.data()};
        r = LeftmostKernel(cells, n, clues, m, leftStart_.data(), leftEnd_.data(), resume);
        r |= RightmostKernel(cells, n, clues, m, rightStart_.data(), rightEnd_.data(), resume);
    } else {
        const RawCells cells{line, crossMask};
        r = LeftmostKernel(cells, n, clues, m, leftStart_.data(), leftEnd_.data(), {});
        r |= RightmostKernel(cells, n, clues, m, rightStart_.data(), rightEnd_.data(), {});
    }
    if ((r & ResultContradiction) != 0) {
        if (mode == 1)
            linePosition_ = -1;
        return r;
    }
    // The cells every placement of a clue covers. The bounds and colour are read once, so that
    // the compiler need not reload them after every store into the line.
    for (int t = 0; t < m; ++t) {
        const int from = rightStart_[t];
        const int to = leftEnd_[t];
        const std::uint8_t colour = clues[t].colour;
        for (int i = from; i <= to; ++i)
            work[i] = colour;
    }
    // The cells some clue can reach, as coverage counts; only zero and nonzero matter.
    std::fill_n(cover_.data(), n + 1, static_cast<std::int16_t>(0));
    for (int t = 0; t < m; ++t) {
        if (leftStart_[t] <= rightEnd_[t]) {
            ++cover_[leftStart_[t]];
            --cover_[rightEnd_[t] + 1];
        }
    }
    if (reach != nullptr) {
        int depth = 0;
        for (int i = 0; i < n; ++i) {
            depth += cover_[i];
            reach[i] = depth > 0 ? 1 : 0;
        }
    }
    return 0;
}

// Checks the solved line against the old cells, blanks the unreachable ones, marks the crossing
// lines of changed cells dirty and lists the changed cells in changedAt (count of them added to
// count). Without reach, the coverage counts of the last SolveLineKernel give it.
int CSubThread::ApplyKernel(int mode, std::uint8_t* work, const std::uint8_t* reach,
                            const std::uint8_t* line, int n, std::uint8_t* crossDirty,
                            std::uint8_t* changedAt, int& count) {
    if (reach == nullptr) {
        // Almost every line is free of conflicts, so first test the whole line in loops without
        // an early exit (which the compiler turns into vector code); only a line that has a
        // conflict goes through the cell-by-cell loop below, which stops at its first conflict.
        int depth = 0;
        for (int i = 0; i < n; ++i) {
            depth += cover_[i];
            reachedAt_[i] = depth > 0 ? 1 : 0;
        }
        // An unreached cell becomes blank, so "a coloured cell no clue reaches" is the case of a
        // known cell whose new value differs from it. Arithmetic instead of conditions keeps the
        // loop free of branches: reached is 0 or 1, so reached - 1 is all ones or zero.
        std::uint8_t anyConflict = 0;
        for (int i = 0; i < n; ++i) {
            const std::uint8_t old = line[i];
            const std::uint8_t value =
                static_cast<std::uint8_t>(work[i] | static_cast<std::uint8_t>(reachedAt_[i] - 1));
            const std::uint8_t known = old != 0 ? 1 : 0;
            const std::uint8_t differs = old != value ? 1 : 0;
            anyConflict |= static_cast<std::uint8_t>(known & differs);
            appliedAt_[i] = value;
            differsAt_[i] = static_cast<std::uint8_t>(value ^ old);
        }
        if (anyConflict == 0) {
            std::memcpy(work, appliedAt_.data(), static_cast<std::size_t>(n));
            std::memset(differsAt_.data() + n, 0, 8);
            int changes = 0;
            for (int at = 0; at < n; at += 8) {
                std::uint64_t word;
                std::memcpy(&word, differsAt_.data() + at, sizeof word);
                while (word != 0) {
                    const int i = at + std::countr_zero(word) / 8;
                    changedAt[changes++] = static_cast<std::uint8_t>(i);
                    word &= ~(0xffull << (8 * (i - at)));
                }
            }
            for (int c = 0; c < changes; ++c) {
                const int i = changedAt[c];
                crossDirty[i] = std::max(crossDirty[i], differsAt_[i]);
            }
            count += changes;
            return count > 0 ? ResultChanged : 0;
        }
    }
    int changes = 0;
    int depth = 0;
    for (int i = 0; i < n; ++i) {
        bool reached;
        if (reach != nullptr) {
            reached = reach[i] != 0;
        } else {
            depth += cover_[i];
            reached = depth > 0;
        }
        const std::uint8_t old = line[i];
        std::uint8_t value = work[i];
        // Bitwise, not short-circuit: one predictable branch per cell instead of several.
        const bool conflict =
            ((old != 0) & (old != value)) | (!reached & (static_cast<std::uint8_t>(old - 1) < 254));
        if (conflict) {
            // The cells before the conflict keep their new values and count as changed.
            if (mode == 1)
                linePosition_ = i;
            count += changes;
            return ResultContradiction;
        }
        value = reached ? value : kSolverBlank;
        work[i] = value;
        // Written always, kept only when the cell changed: no branch on the cell's value.
        changedAt[changes] = static_cast<std::uint8_t>(i);
        changes += value != old ? 1 : 0;
    }
    for (int c = 0; c < changes; ++c) {
        const int i = changedAt[c];
        crossDirty[i] = std::max(crossDirty[i], static_cast<std::uint8_t>(work[i] ^ line[i]));
    }
    count += changes;
    return count > 0 ? ResultChanged : 0;
}

int CSubThread::AbsurdPass(int hint, int updateView) {
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
        int consistent = 0;
        for (int v = 1; v <= 9 && consistent < 2; ++v) {
            if (possible[v] == 0)
                continue;
            RestoreTrialGrid();
            SetTrialCell(x, y, v == 9 ? kSolverBlank : static_cast<std::uint8_t>(v));
            trialChanges_.push_back(index);
            if (flagsLeft)
                ClearDirtyFlags();
            rowDirty_.Set(y, 1);
            columnDirty_.Set(x, 1);
            int r;
            do {
                r = ScanPass(0, updateView);
            } while (r != 0 && (r & (ResultStopped | ResultContradiction)) == 0);
            if ((r & ResultStopped) != 0) {
                RestoreTrialGrid();
                return ResultStopped;
            }
            flagsLeft = r != 0;
            if ((r & ResultContradiction) != 0) {
                possible[v] = 0;
            } else {
                ++consistent;
            }
        }
        RestoreTrialGrid();
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
        const std::uint8_t cell = value == 9 ? kSolverBlank : static_cast<std::uint8_t>(value);
        SetMainCell(x, y, cell);
        if (flagsLeft)
            ClearDirtyFlags();
        rowDirty_.Set(y, 1);
        columnDirty_.Set(x, 1);
        int r;
        for (;;) {
            r = ScanPass(1, updateView);
            if (r == 0 || (r & (ResultStopped | ResultContradiction)) != 0 || hint != 0)
                break;
        }
        flagsLeft = r != 0;
        result = r | ResultChanged;
        if (hint != 0)
            return result;
        if ((result & (ResultStopped | ResultContradiction)) != 0)
            return result;
    }
    return result;
}

int CSubThread::ApplyRememberedLine(bool isRow, int index, const std::uint8_t* line,
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

void CSubThread::RestoreTrialGrid() {
    const std::uint8_t* g = grid_.Data();
    for (std::int32_t at : trialChanges_)
        SetTrialCell(at / height_, at % height_, g[at]);
    trialChanges_.clear();
}

void CSubThread::SetTrialCell(int x, int y, std::uint8_t v) {
    const std::size_t at = static_cast<std::size_t>(x) * height_ + y;
    const std::uint8_t old = trialGrid_.Data()[at];
    if (old != v) {
        const std::uint8_t main = grid_.Data()[at];
        AccountTrialCell(x, y, old, main, -1);
        AccountTrialCell(x, y, v, main, 1);
    }
    WriteTrialCell(x, y, v);
}

void CSubThread::AccountTrialCell(int x, int y, std::uint8_t v, std::uint8_t main, int sign) {
    if (v == main)
        return;
    TrialLineMemo::Summary& row = trialRowSummary_[static_cast<std::size_t>(y)];
    TrialLineMemo::Summary& column = trialColumnSummary_[static_cast<std::size_t>(x)];
    row.hash ^= TrialLineMemo::CellKey(x, v);
    row.differences += sign;
    column.hash ^= TrialLineMemo::CellKey(y, v);
    column.differences += sign;
}

void CSubThread::WriteTrialCell(int x, int y, std::uint8_t v) {
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

void CSubThread::SetMainCell(int x, int y, std::uint8_t v) {
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
void CSubThread::ResumeGreedy(bool isRow, int index, int n, const Clue* clues, LineRef ref,
                              GreedyResume& resume) {
    const int m = ref.count;
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
        // The placements are computed in the bound scratch, which the solve that follows
        // overwrites; the trial line is loaded again afterwards.
        const std::uint8_t* cross = isRow ? columnMask_.data() : rowMask_.data();
        LoadLine(mainLine, 1, cross, n);
        const CellBits cells{fitBits_.data(), ownBits_.data(), colouredSet_.data()};
        if (LeftmostGreedy(cells, n, clues, m, leftStart_.data(), leftEnd_.data(), {}) == 0)
            state |= kGreedyLeft;
        if (RightmostGreedy(cells, n, clues, m, rightStart_.data(), rightEnd_.data(), {}) == 0)
            state |= kGreedyRight;
        const auto size = static_cast<std::size_t>(m);
        std::memcpy(savedLeftStart, leftStart_.data(), size);
        std::memcpy(savedLeftEnd, leftEnd_.data(), size);
        std::memcpy(savedRightStart, rightStart_.data(), size);
        std::memcpy(savedRightEnd, rightEnd_.data(), size);
        LoadTrialLine(isRow, index, n);
    }
    if ((state & (kGreedyLeft | kGreedyRight)) == 0)
        return;
    const int first = FirstDifference(lineBuf_.data(), mainLine, n);
    const int last = LastDifference(lineBuf_.data(), mainLine, first, n);
    // Greedy ends grow strictly from clue to clue, and so do greedy starts.
    if ((state & kGreedyLeft) != 0) {
        resume.leftKnown = static_cast<int>(
            std::partition_point(savedLeftEnd, savedLeftEnd + m,
                                 [first](std::uint8_t end) { return end + 1 < first; }) -
            savedLeftEnd);
        const auto size = static_cast<std::size_t>(resume.leftKnown);
        std::memcpy(leftStart_.data(), savedLeftStart, size);
        std::memcpy(leftEnd_.data(), savedLeftEnd, size);
        resume.leftStart = savedLeftStart;
        resume.leftEnd = savedLeftEnd;
        resume.sameAfter = last;
    }
    if ((state & kGreedyRight) != 0) {
        const int from = static_cast<int>(
            std::partition_point(savedRightStart, savedRightStart + m,
                                 [last](std::uint8_t start) { return start - 1 <= last; }) -
            savedRightStart);
        resume.rightKnown = m - from;
        const auto size = static_cast<std::size_t>(resume.rightKnown);
        std::memcpy(rightStart_.data() + from, savedRightStart + from, size);
        std::memcpy(rightEnd_.data() + from, savedRightEnd + from, size);
        resume.rightStart = savedRightStart;
        resume.rightEnd = savedRightEnd;
        resume.sameBefore = first;
    }
}

void CSubThread::RebuildTrialPlanes() {
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

void CSubThread::LoadTrialLine(bool isRow, int index, int n) {
    const std::size_t from = static_cast<std::size_t>(index) * n;
    const std::uint8_t* cells = isRow ? trialRows_.data() + from : trialGrid_.Data() + from;
    const std::uint8_t* fit = (isRow ? trialRowFit_ : trialColumnFit_).data() + from;
    const std::uint8_t* own = (isRow ? trialRowOwn_ : trialColumnOwn_).data() + from;
    const std::uint64_t* coloured = (isRow ? trialRowColoured_ : trialColumnColoured_).data() +
                                    static_cast<std::size_t>(index) * kLineWords;
    std::memcpy(lineBuf_.data(), cells, static_cast<std::size_t>(n));
    std::memcpy(fitBits_.data(), fit, static_cast<std::size_t>(n));
    std::memcpy(ownBits_.data(), own, static_cast<std::size_t>(n));
    std::copy_n(coloured, kLineWords, colouredSet_.data());
}

void CSubThread::ClearDirtyFlags() {
    rowDirty_.Fill(0);
    columnDirty_.Fill(0);
}

// The line-vector forms of the line solver, for callers that hold one line: they compact the
// clue slots and run the same kernels as the whole-puzzle loop.

int CSubThread::SolveLine(int mode, const ByteMatrix& line, const ByteMatrix& numbers,
                          const ByteMatrix& colours, const ByteMatrix& crossHasColor,
                          ByteMatrix& work, ByteMatrix& reach) {
    if (StopRequested())
        return ResultStopped;
    const int n = std::min({line.Size(), work.Size(), reach.Size(), kMaxLine});
    std::array<Clue, kMaxLine> clues{};
    const int m = CompactClues(numbers, colours, n, clues.data(), nullptr);
    std::array<std::uint8_t, kMaxLine> mask{};
    CrossMask(crossHasColor, n, mask.data());
    reach.Fill(0);
    LoadLine(line.Data(), 1, mask.data(), n);
    const int r = SolveLineKernel(mode, lineBuf_.data(), n, clues.data(), m, mask.data(),
                                  work.Data(), nullptr, {});
    if (r != 0)
        return r;
    // Each cell takes the colour of the last clue whose range covers it: clues are painted from
    // the last one back, each cell once, skipping painted cells through next-unpainted links.
    std::array<std::int16_t, kMaxLine + 1> next{};
    for (int i = 0; i <= n; ++i)
        next[i] = static_cast<std::int16_t>(i);
    const auto unpainted = [&next](int i) {
        while (next[i] != i) {
            next[i] = next[next[i]];
            i = next[i];
        }
        return i;
    };
    for (int t = m - 1; t >= 0; --t) {
        for (int i = unpainted(leftStart_[t]); i <= rightEnd_[t]; i = unpainted(i + 1)) {
            reach.Set(i, clues[t].colour);
            next[i] = static_cast<std::int16_t>(i + 1);
        }
    }
    return 0;
}

namespace {

int PlaceWith(const ByteMatrix& line, const ByteMatrix& numbers, const ByteMatrix& colours,
              const ByteMatrix& crossHasColor, ByteMatrix& startOut, ByteMatrix& endOut,
              bool leftmost) {
    const int n = std::min(line.Size(), CSubThread::kMaxLine);
    std::array<CSubThread::Clue, CSubThread::kMaxLine> clues{};
    std::array<int, CSubThread::kMaxLine> slotOf{};
    const int m = CompactClues(numbers, colours, n, clues.data(), slotOf.data());
    std::array<std::uint8_t, CSubThread::kMaxLine> mask{};
    CrossMask(crossHasColor, n, mask.data());
    std::array<std::uint8_t, CSubThread::kMaxLine> start{}, end{};
    const int r = leftmost ? LeftmostKernel(RawCells{line.Data(), mask.data()}, n, clues.data(), m,
                                            start.data(), end.data(), {})
                           : RightmostKernel(RawCells{line.Data(), mask.data()}, n, clues.data(), m,
                                             start.data(), end.data(), {});
    if (r != 0)
        return r;
    for (int t = 0; t < m; ++t) {
        const int j = n - 1 - slotOf[t];
        if (j < startOut.Size())
            startOut.Set(j, start[t]);
        if (j < endOut.Size())
            endOut.Set(j, end[t]);
    }
    return 0;
}

}  // namespace

int CSubThread::PlaceLeftmost(const ByteMatrix& line, const ByteMatrix& numbers,
                              const ByteMatrix& colours, const ByteMatrix& crossHasColor,
                              ByteMatrix& leftStart, ByteMatrix& leftEnd) {
    return PlaceWith(line, numbers, colours, crossHasColor, leftStart, leftEnd, true);
}

int CSubThread::PlaceRightmost(const ByteMatrix& line, const ByteMatrix& numbers,
                               const ByteMatrix& colours, const ByteMatrix& crossHasColor,
                               ByteMatrix& rightStart, ByteMatrix& rightEnd) {
    return PlaceWith(line, numbers, colours, crossHasColor, rightStart, rightEnd, false);
}

bool CSubThread::CanPlaceRun(const ByteMatrix& run, const ByteMatrix& line,
                             const ByteMatrix& crossHasColor, int c) {
    const int n = std::min(run.Size(), line.Size());
    const int s = run.Find(static_cast<std::uint8_t>(c));
    if (s < 0 || s >= n)
        return false;
    int e = s;
    while (e + 1 < n && run.Get(e + 1) == c)
        ++e;
    for (int i = s; i <= e; ++i) {
        const std::uint8_t v = line.Get(i);
        if (v == c)
            continue;
        if (v != 0)
            return false;
        if (c < 0 || c >= crossHasColor.Rows() || i >= crossHasColor.Columns() ||
            crossHasColor.Get(c, i) == 0) {
            return false;
        }
    }
    if (s > 0 && line.Get(s - 1) == c)
        return false;
    if (e < n - 1 && line.Get(e + 1) == c)
        return false;
    return true;
}

void CSubThread::PaintSpans(ByteMatrix& target, const ByteMatrix& fromBound,
                            const ByteMatrix& toBound, const ByteMatrix& numbers,
                            const ByteMatrix& colours) {
    const int n = target.Size();
    const int slots =
        std::min({n, numbers.Size(), colours.Size(), fromBound.Size(), toBound.Size()});
    for (int k = slots - 1; k >= 0; --k) {
        if (!UsedSlot(numbers.Get(k), colours.Get(k)))
            continue;
        const int j = n - 1 - k;
        if (j >= fromBound.Size() || j >= toBound.Size())
            continue;
        const int last = std::min(static_cast<int>(toBound.Get(j)), n - 1);
        for (int i = fromBound.Get(j); i <= last; ++i)
            target.Set(i, colours.Get(k));
    }
}

int CSubThread::ApplyLineResult(int mode, ByteMatrix& work, const ByteMatrix& reach,
                                const ByteMatrix& line, ByteMatrix& crossDirty, int& count,
                                ByteMatrix* changedOut) {
    const int n = std::min({work.Size(), reach.Size(), line.Size(), crossDirty.Size(), kMaxLine});
    std::array<std::uint8_t, kMaxLine> changed{};
    for (int i = 0; i < n; ++i) {
        const std::uint8_t old = line.Get(i);
        if ((old != 0 && old != work.Get(i)) || (reach.Get(i) == 0 && old >= 1 && old <= 254)) {
            if (mode == 1)
                linePosition_ = i;
            return ResultContradiction;
        }
        if (reach.Get(i) == 0)
            work.Set(i, kSolverBlank);
        changed[i] = work.Get(i) ^ old;
        if (changed[i] != 0)
            ++count;
    }
    for (int i = 0; i < n; ++i)
        crossDirty.Set(i, std::max(crossDirty.Get(i), changed[i]));
    if (changedOut != nullptr) {
        if (changedOut->Size() != n)
            *changedOut = ByteMatrix(n, 1);
        for (int i = 0; i < n; ++i)
            changedOut->Set(i, changed[i]);
    }
    return count > 0 ? ResultChanged : 0;
}

}  // namespace tessemar
