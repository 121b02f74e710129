#include "core/solver/LineSolver.h"

#include "core/solver/ClueSlots.h"
#include "core/solver/LineKernels.h"

#include <algorithm>
#include <cstring>

namespace tessemar {

using namespace line_kernels;

LineSolver::Clue LineSolver::Clue::Of(int length, int colour) {
    const auto c = static_cast<std::uint8_t>(colour);
    return {static_cast<std::uint8_t>(length), c, ColourBit(c)};
}

int LineSolver::SolveLine(std::span<std::uint8_t> cells, std::span<const Clue> clues,
                          std::span<const std::uint8_t> allowed) {
    const int n = static_cast<int>(std::min<std::size_t>(cells.size(), kMaxLine));
    std::array<std::uint8_t, kMaxLine> any;
    any.fill(kAnyColour);
    const std::uint8_t* mask =
        allowed.size() >= static_cast<std::size_t>(n) ? allowed.data() : any.data();
    LoadLine(cells.data(), 1, mask, n);
    // The clues a document slot would use: a length of 1..254 and a colour.
    std::array<Clue, kMaxLine> used;
    int m = 0;
    for (const Clue& clue : clues) {
        if (m == kMaxLine)
            break;
        if (UsedSlot(clue.length, clue.colour))
            used[m++] = clue;
    }
    changes_ = 0;
    if (Solve(used.data(), m, mask, {}) != 0)
        return ResultContradiction;
    std::array<std::uint8_t, kMaxLine> unusedDirty{};
    const int r = Apply(unusedDirty.data());
    if (r == ResultChanged)
        std::copy_n(work_.data(), n, cells.data());
    return r;
}

void LineSolver::LoadLine(const std::uint8_t* cells, std::size_t stride,
                          const std::uint8_t* allowed, int n) {
    n_ = n;
    // Branch-free: the cells of a line come in no order a processor could predict.
    std::uint64_t colouredWord = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t v = cells[i * stride];
        line_[i] = v;
        const std::uint8_t own = kOwnBit[v];
        ownBits_[i] = own;
        fitBits_[i] = static_cast<std::uint8_t>(own | (allowed[i] & -static_cast<int>(v == 0)));
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

void LineSolver::LoadPrepared(const std::uint8_t* cells, const std::uint8_t* fit,
                              const std::uint8_t* own, const std::uint64_t* coloured, int n) {
    n_ = n;
    std::memcpy(line_.data(), cells, static_cast<std::size_t>(n));
    std::memcpy(fitBits_.data(), fit, static_cast<std::size_t>(n));
    std::memcpy(ownBits_.data(), own, static_cast<std::size_t>(n));
    std::copy_n(coloured, kLineWords, colouredSet_.data());
}

int LineSolver::PlaceGreedy(const Clue* clues, int m, std::uint8_t* leftStart,
                            std::uint8_t* leftEnd, std::uint8_t* rightStart,
                            std::uint8_t* rightEnd) {
    const CellBits cells{fitBits_.data(), ownBits_.data(), colouredSet_.data()};
    int placed = 0;
    if (LeftmostGreedy(cells, n_, clues, m, leftStart, leftEnd, {}) == 0)
        placed |= kGreedyLeft;
    if (RightmostGreedy(cells, n_, clues, m, rightStart, rightEnd, {}) == 0)
        placed |= kGreedyRight;
    return placed;
}

void LineSolver::SeedLeft(const std::uint8_t* start, const std::uint8_t* end, int count) {
    std::memcpy(leftStart_.data(), start, static_cast<std::size_t>(count));
    std::memcpy(leftEnd_.data(), end, static_cast<std::size_t>(count));
}

void LineSolver::SeedRight(const std::uint8_t* start, const std::uint8_t* end, int from,
                           int count) {
    std::memcpy(rightStart_.data() + from, start + from, static_cast<std::size_t>(count));
    std::memcpy(rightEnd_.data() + from, end + from, static_cast<std::size_t>(count));
}

int LineSolver::Solve(const Clue* clues, int m, const std::uint8_t* allowed,
                      const GreedyResume& resume) {
    const int n = n_;
    conflictAt_ = -1;
    std::memcpy(work_.data(), line_.data(), static_cast<std::size_t>(n));
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
        const RawCells cells{line_.data(), allowed};
        r = LeftmostKernel(cells, n, clues, m, leftStart_.data(), leftEnd_.data(), {});
        r |= RightmostKernel(cells, n, clues, m, rightStart_.data(), rightEnd_.data(), {});
    }
    if ((r & ResultContradiction) != 0)
        return r;
    // The cells every placement of a clue covers. The bounds and colour are read once, so that
    // the compiler need not reload them after every store into the line.
    std::uint8_t* work = work_.data();
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
    return 0;
}

int LineSolver::Apply(std::uint8_t* crossDirty) {
    const int n = n_;
    const std::uint8_t* line = line_.data();
    std::uint8_t* work = work_.data();
    // Almost every line is free of conflicts, so first test the whole line in loops without
    // an early exit (which the compiler turns into vector code); only a line that has a
    // conflict goes through the cell-by-cell loop, which stops at its first conflict.
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
    if (anyConflict != 0)
        return ApplyWithConflict();
    std::memcpy(work, appliedAt_.data(), static_cast<std::size_t>(n));
    std::memset(differsAt_.data() + n, 0, 8);
    int changes = 0;
    for (int at = 0; at < n; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, differsAt_.data() + at, sizeof word);
        while (word != 0) {
            const int i = at + std::countr_zero(word) / 8;
            changedAt_[changes++] = static_cast<std::uint8_t>(i);
            word &= ~(0xffull << (8 * (i - at)));
        }
    }
    for (int c = 0; c < changes; ++c) {
        const int i = changedAt_[c];
        crossDirty[i] = std::max(crossDirty[i], differsAt_[i]);
    }
    changes_ = changes;
    return changes > 0 ? ResultChanged : 0;
}

// The cell-by-cell form of Apply for a line with a conflict: the cells before the conflict keep
// their new values and count as changed, the cells from it on keep the colours painted into
// them.
int LineSolver::ApplyWithConflict() {
    const std::uint8_t* line = line_.data();
    std::uint8_t* work = work_.data();
    int changes = 0;
    for (int i = 0; i < n_; ++i) {
        const bool reached = reachedAt_[i] != 0;
        const std::uint8_t old = line[i];
        std::uint8_t value = work[i];
        // Bitwise, not short-circuit: one predictable branch per cell instead of several.
        const bool conflict =
            ((old != 0) & (old != value)) | (!reached & (static_cast<std::uint8_t>(old - 1) < 254));
        if (conflict) {
            conflictAt_ = i;
            changes_ = changes;
            return ResultContradiction;
        }
        value = reached ? value : kSolverBlank;
        work[i] = value;
        // Written always, kept only when the cell changed: no branch on the cell's value.
        changedAt_[changes] = static_cast<std::uint8_t>(i);
        changes += value != old ? 1 : 0;
    }
    // The first pass found a conflict, so this one meets it before the end.
    changes_ = changes;
    return ResultContradiction;
}

}  // namespace tessemar
