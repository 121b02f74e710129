#pragma once

// The placement kernels of the line solver, shared by the line solver and the solve driver's
// reuse of greedy placements. Internal to the solver.

#include "core/solver/LineSolver.h"
#include "core/solver/SolveResult.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tessemar::line_kernels {

// The word-at-a-time scans take the byte at the lowest address as the lowest byte of a word.
static_assert(std::endian::native == std::endian::little);

inline bool IsColoured(std::uint8_t v) {
    return v >= 1 && v <= 250;
}

// The colour bit of every cell value: 1..8 have one, nothing else has.
inline constexpr std::array<std::uint8_t, 256> kOwnBit = [] {
    std::array<std::uint8_t, 256> table{};
    for (int c = 1; c <= 8; ++c)
        table[c] = static_cast<std::uint8_t>(1u << (c - 1));
    return table;
}();

// A run of colour c fits on cell i when the cell already has that colour, or is unknown and
// the crossing line has a clue of that colour.
inline bool Fits(std::uint8_t v, std::uint8_t crossMask, std::uint8_t c, std::uint8_t bit) {
    return v == c || (v == 0 && (crossMask & bit) != 0);
}

// The first start at or after `from` where a run of `length` cells of colour c passes the
// placement test (every cell fits, no cell of its own colour directly before or after), or -1
// when the run's end would pass the end of the line. Equivalent to moving the run one cell at a
// time, but a cell that does not fit is skipped over at once.
inline int FitRightward(const std::uint8_t* line, const std::uint8_t* cross, int n, int from,
                        int length, std::uint8_t c, std::uint8_t bit) {
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
inline int FitLeftward(const std::uint8_t* line, const std::uint8_t* cross, int n, int from,
                       int length, std::uint8_t c, std::uint8_t bit) {
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
inline int FitRightwardBits(const std::uint8_t* fit, const std::uint8_t* own, int n, int from,
                            int length, std::uint8_t bit) {
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

inline int FitLeftwardBits(const std::uint8_t* fit, const std::uint8_t* own, int n, int from,
                           int length, std::uint8_t bit) {
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
inline int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int n) {
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
inline int LastDifference(const std::uint8_t* a, const std::uint8_t* b, int from, int n) {
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
    int Right(int n, int from, const LineSolver::Clue& clue) const {
        return FitRightward(line, cross, n, from, clue.length, clue.colour, clue.bit);
    }
    int Left(int n, int from, const LineSolver::Clue& clue) const {
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
    int Right(int n, int from, const LineSolver::Clue& clue) const {
        return FitRightwardBits(fit, own, n, from, clue.length, clue.bit);
    }
    int Left(int n, int from, const LineSolver::Clue& clue) const {
        return FitLeftwardBits(fit, own, n, from, clue.length, clue.bit);
    }
};

// Earliest placement: a greedy pass from the first clue, then a pass from the last clue that
// pulls a clue right onto a coloured cell that no later clue can cover.
// The first `known` clues' greedy placements are already in start and end. A clue's greedy
// placement depends only on the previous clue's and on the cells from just before the earliest
// start it may take to just after the end it takes.
template <typename Cells>
int LeftmostGreedy(const Cells& cells, int n, const LineSolver::Clue* clues, int m,
                   std::uint8_t* start, std::uint8_t* end, const LineSolver::GreedyResume& resume) {
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
int LeftmostKernel(const Cells& cells, int n, const LineSolver::Clue* clues, int m,
                   std::uint8_t* start, std::uint8_t* end, const LineSolver::GreedyResume& resume) {
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
int RightmostGreedy(const Cells& cells, int n, const LineSolver::Clue* clues, int m,
                    std::uint8_t* start, std::uint8_t* end,
                    const LineSolver::GreedyResume& resume) {
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
int RightmostKernel(const Cells& cells, int n, const LineSolver::Clue* clues, int m,
                    std::uint8_t* start, std::uint8_t* end,
                    const LineSolver::GreedyResume& resume) {
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

}  // namespace tessemar::line_kernels
