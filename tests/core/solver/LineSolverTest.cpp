#include "SolverTestUtil.h"

#include "core/solver/LineSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

namespace tessemar::testing {
namespace {

struct LineOutcome {
    int code;
    std::string cells;  // the line after the solve
};

// allowed: the colour bits the crossing lines allow per cell; empty allows every colour.
LineOutcome SolveOne(LineSolver& solver, const std::string& cells, const Clues& clues,
                     const std::vector<std::uint8_t>& allowed = {}) {
    std::vector<std::uint8_t> line = LineOf(cells);
    const int code = solver.SolveLine(line, LineCluesOf(clues), allowed);
    return {code, TextOf(line)};
}

TEST(LineSolverTest, DeducesWhatTheOverlapsAndReachGive) {
    struct Case {
        const char* name;
        std::string line;
        Clues clues;
        std::string result;
    };
    const Case cases[] = {
        {"two clues of one colour need a gap", ".......", {{3, 1}, {3, 1}}, "111-111"},
        {"a known cell after the earliest run pushes it on", "...1......", {{3, 1}}, "-..1..----"},
        {"a solved line changes nothing", "-11-2", {{2, 1}, {1, 2}}, "-11-2"},
        {"unused clue slots are left out", "....", {{0, 1}, {3, 1}, {2, 0}, {255, 1}}, ".11."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineSolver solver;
        const LineOutcome got = SolveOne(solver, c.line, c.clues);
        EXPECT_EQ(got.code, c.line == c.result ? 0 : ResultChanged);
        EXPECT_EQ(got.cells, c.result);
    }
}

// The cell a contradiction is found at, or -1 when the whole line fails.
TEST(LineSolverTest, ContradictionsNameTheirCell) {
    struct Case {
        const char* name;
        std::string line;
        Clues clues;
        int position;
        std::vector<std::uint8_t> allowed = {};  // as SolveOne takes it
    };
    const Case cases[] = {
        {"an empty clue line with a coloured cell", "..-1.", {}, 3},
        {"a known cell of the wrong colour", "1.....", {{2, 2}, {3, 1}}, -1},
        {"a blank cell that leaves no room", "..-..", {{4, 1}}, -1},
        {"no crossing line allows colour 2", "....", {{2, 2}}, -1, {0xFD, 0xFD, 0xFD, 0xFD}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineSolver solver;
        const LineOutcome got = SolveOne(solver, c.line, c.clues, c.allowed);
        EXPECT_EQ(got.code, ResultContradiction);
        EXPECT_EQ(got.cells, c.line) << "a contradicting line is left as it was";
        EXPECT_EQ(solver.ConflictPosition(), c.position);
    }
}

// Every placement of the clues on the line under the solver's rules: runs in order, runs of one
// colour at least one cell apart, a run's cells either its colour or unknown with the crossing
// line allowing the colour, every other cell unknown or blank. Calls visit(cells) with the
// placement's full line (colour or 255 for each cell).
void EnumeratePlacements(const std::vector<std::uint8_t>& line, const Clues& clues,
                         const std::vector<std::uint8_t>& allowed,
                         const std::function<void(const std::vector<std::uint8_t>&)>& visit) {
    const int n = static_cast<int>(line.size());
    const int m = static_cast<int>(clues.size());
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(n), 255);
    std::function<void(int, int)> place = [&](int t, int from) {
        if (t == m) {
            for (int i = 0; i < n; ++i) {
                if (cells[i] == 255 && line[i] != 0 && line[i] != 255)
                    return;
            }
            visit(cells);
            return;
        }
        const int length = clues[t].first;
        const auto colour = static_cast<std::uint8_t>(clues[t].second);
        for (int s = from; s + length <= n; ++s) {
            // Cells skipped before this run stay blank: a known colour there ends this branch.
            bool ok = true;
            for (int i = s; i < s + length && ok; ++i) {
                ok = line[i] == colour || (line[i] == 0 && (allowed[i] >> (colour - 1) & 1) != 0);
            }
            if (ok) {
                for (int i = s; i < s + length; ++i)
                    cells[i] = colour;
                const bool sameNext = t + 1 < m && clues[t + 1].second == clues[t].second;
                place(t + 1, s + length + (sameNext ? 1 : 0));
                for (int i = s; i < s + length; ++i)
                    cells[i] = 255;
            }
            if (line[s] != 0 && line[s] != 255)
                break;  // a run may not skip a known colour
        }
    };
    place(0, 0);
}

TEST(LineSolverTest, DeductionsHoldInEveryPlacementOnRandomLines) {
    std::mt19937 random(20261206);
    int contradictions = 0;
    int deductions = 0;
    for (int round = 0; round < 20000; ++round) {
        const int n = 1 + static_cast<int>(random() % 12);
        const int colourCount = 1 + static_cast<int>(random() % 3);
        Clues clues;
        const int m = static_cast<int>(random() % std::min(5, n + 1));  // a line has n slots
        for (int t = 0; t < m; ++t) {
            clues.emplace_back(1 + static_cast<int>(random() % 4),
                               1 + static_cast<int>(random() % colourCount));
        }
        std::vector<std::uint8_t> allowed(static_cast<std::size_t>(n), 0);
        for (auto& bits : allowed) {
            for (int c = 0; c < 8; ++c)
                bits |= static_cast<std::uint8_t>((random() % 6 != 0 ? 1 : 0) << c);
        }
        std::vector<std::uint8_t> cells(static_cast<std::size_t>(n), 0);
        for (int i = 0; i < n; ++i) {
            const int roll = static_cast<int>(random() % 10);
            cells[i] = roll < 6   ? 0
                       : roll < 8 ? 255
                                  : static_cast<std::uint8_t>(1 + random() % colourCount);
        }

        std::vector<std::set<int>> seen(static_cast<std::size_t>(n));
        int placements = 0;
        EnumeratePlacements(cells, clues, allowed, [&](const std::vector<std::uint8_t>& p) {
            ++placements;
            for (int i = 0; i < n; ++i)
                seen[i].insert(p[i]);
        });

        LineSolver solver;
        std::vector<std::uint8_t> work = cells;
        const int code = solver.SolveLine(work, LineCluesOf(clues), allowed);
        SCOPED_TRACE("line " + TextOf(cells) + " clues " + std::to_string(m) + " -> " +
                     TextOf(work));
        if (code == ResultContradiction) {
            ++contradictions;
            ASSERT_EQ(placements, 0) << "a line with a placement was called contradictory";
            continue;
        }
        // The positions listed as changed are exactly the cells that changed.
        std::set<int> changed(solver.ChangedPositions().begin(), solver.ChangedPositions().end());
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(changed.count(i), work[i] != cells[i] ? 1u : 0u) << "cell " << i;
        if (placements == 0)
            continue;  // the solver is not complete: it may miss a contradiction
        for (int i = 0; i < n; ++i) {
            if (work[i] == cells[i])
                continue;
            ++deductions;
            ASSERT_EQ(seen[i].size(), 1u) << "cell " << i << " was deduced but placements disagree";
            ASSERT_EQ(*seen[i].begin(), work[i]) << "cell " << i;
        }
    }
    // The random lines must exercise both outcomes, or the property says little.
    EXPECT_GT(contradictions, 1000);
    EXPECT_GT(deductions, 10000);
}

}  // namespace
}  // namespace tessemar::testing
