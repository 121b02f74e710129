// The line solver on lines of 25, 100 and 250 cells in one and in four colours, and the proof by
// contradiction on a noise picture. Lines are cut from random pictures, so the clues fit, and
// two thirds of their cells are left unknown, as in the middle of a solve.
#include "core/solver/ByteMatrix.h"
#include "core/solver/ClueNumbers.h"
#include "core/solver/LineSolver.h"
#include "core/solver/SolveDriver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <vector>

namespace tessemar {
namespace {

struct LineCase {
    ByteMatrix line, numbers, colours;
};

std::vector<LineCase> MakeLines(int n, int colourCount, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<LineCase> cases;
    for (int c = 0; c < 64; ++c) {
        std::vector<int> cells(static_cast<std::size_t>(n));
        for (int& cell : cells)
            cell = random() % 2 == 0 ? 0 : 1 + static_cast<int>(random() % colourCount);
        LineCase lc{ByteMatrix(n, 1, 0), ByteMatrix(n, 1, 255), ByteMatrix(n, 1, 0)};
        // Clue slots from the picture outwards (slot 0 is the last run).
        int k = 0;
        for (int i = n - 1; i >= 0;) {
            if (cells[i] == 0) {
                --i;
                continue;
            }
            int j = i;
            while (j >= 0 && cells[j] == cells[i])
                --j;
            lc.numbers.Set(k, static_cast<std::uint8_t>(i - j));
            lc.colours.Set(k, static_cast<std::uint8_t>(cells[i]));
            ++k;
            i = j;
        }
        for (int i = 0; i < n; ++i) {
            if (random() % 3 == 0)
                lc.line.Set(i, cells[i] == 0 ? 255 : static_cast<std::uint8_t>(cells[i]));
        }
        cases.push_back(std::move(lc));
    }
    return cases;
}

// The line solver's own interface: the clues compacted from the slots once, the line copied in
// and solved in place on every call.
void BM_SolveLine(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int colours = static_cast<int>(state.range(1));
    const auto cases = MakeLines(n, colours, 7);
    std::vector<std::vector<LineSolver::Clue>> clues;
    for (const LineCase& lc : cases) {
        clues.emplace_back();
        for (int k = n - 1; k >= 0; --k) {
            if (lc.numbers.Get(k) != 255)
                clues.back().push_back(LineSolver::Clue::Of(lc.numbers.Get(k), lc.colours.Get(k)));
        }
    }
    LineSolver solver;
    std::vector<std::uint8_t> work(static_cast<std::size_t>(n));
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t at = i++ % cases.size();
        std::copy_n(cases[at].line.Data(), n, work.begin());
        benchmark::DoNotOptimize(solver.SolveLine(work, clues[at]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SolveLine)->ArgsProduct({{25, 100, 250}, {1, 4}})->ArgNames({"cells", "colours"});

// The same lines as the rows of one puzzle, solved the way a run solves them: read out of the
// grid, solved, checked and written back. Every column allows every colour.
void BM_SolveRow(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int colours = static_cast<int>(state.range(1));
    const auto cases = MakeLines(n, colours, 7);
    PuzzleModel puzzle;
    puzzle.columnCount = n;
    puzzle.rowCount = static_cast<int>(cases.size());
    puzzle.ClearArrays();
    for (int y = 0; y < puzzle.rowCount; ++y) {
        for (int i = 0; i < n; ++i) {
            puzzle.rowClueNumbers[i][y] = cases[y].numbers.Get(i);
            puzzle.rowClueColors[i][y] = cases[y].colours.Get(i);
            puzzle.cells[i][y] = static_cast<std::int8_t>(cases[y].line.Get(i));
        }
    }
    for (int x = 0; x < n; ++x) {
        for (int c = 1; c <= colours; ++c) {
            puzzle.columnClueNumbers[x][c - 1] = 1;
            puzzle.columnClueColors[x][c - 1] = static_cast<std::uint8_t>(c);
        }
    }
    std::atomic<int> stop{0};
    SolveDriver run;
    for (auto _ : state) {
        state.PauseTiming();
        run.Prepare(nullptr, stop, puzzle);
        state.ResumeTiming();
        for (int y = 0; y < puzzle.rowCount; ++y)
            benchmark::DoNotOptimize(run.SolveGridLine(true, y, GridMode::Main, ViewRefresh::Off));
    }
    state.SetItemsProcessed(state.iterations() * puzzle.rowCount);
}
BENCHMARK(BM_SolveRow)->ArgsProduct({{25, 100, 250}, {1, 4}})->ArgNames({"cells", "colours"});

// One proof-by-contradiction pass over a 60 x 60 noise picture: thousands of trials, each a
// few sweeps of dirty lines on the trial grid. Items are trial line solves.
void BM_AbsurdPass(benchmark::State& state) {
    const int colours = static_cast<int>(state.range(0));
    std::mt19937 random(11);
    CLogicDoc doc(DocumentDefaults{.columnCount = 60, .rowCount = 60});
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < 60; ++y)
            doc.WriteCell(x, y, random() % 2 == 0 ? 0 : static_cast<int>(1 + random() % colours));
    }
    CalculateNumbers(doc);
    PuzzleModel puzzle = doc.Model();
    for (auto& column : puzzle.cells)
        column.fill(0);
    std::atomic<int> stop{0};
    std::int64_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SolveDriver run;
        run.Prepare(nullptr, stop, puzzle);
        while (run.ScanPass(GridMode::Main, ViewRefresh::Off) == ResultChanged) {
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(run.AbsurdPass(SolveCommandSolve, ViewRefresh::Off));
        lines += run.Result().trialRowScans + run.Result().trialColumnScans;
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_AbsurdPass)->Arg(1)->Arg(4)->ArgName("colours")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessemar

BENCHMARK_MAIN();
