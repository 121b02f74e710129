#include "core/solver/LineSolverFixpoint.h"

#include "core/solver/SolveDriver.h"

#include <algorithm>
#include <memory>

namespace tessemar {
namespace {

// Repeats a step of the solve driver until it changes nothing, a contradiction or a stop ends it,
// or interrupted() says so between steps.
template <typename Step>
FixpointEnd RepeatUntilUnchanged(Step step, const std::function<bool()>& interrupted) {
    for (;;) {
        const int r = step();
        if ((r & ResultContradiction) != 0)
            return FixpointEnd::Contradiction;
        if ((r & ResultStopped) != 0 || interrupted())
            return FixpointEnd::Interrupted;
        if ((r & ResultChanged) == 0)
            return FixpointEnd::Done;
    }
}

}  // namespace

FixpointEnd DeduceWithLineSolver(const PuzzleModel& model, CheckGrid& cells,
                                 const std::atomic<int>& stop,
                                 const std::function<bool()>& interrupted) {
    // The solver reads its starting cells from a picture; a blank cell is an X mark there.
    auto start = std::make_unique<PuzzleModel>(model);
    const int w = std::clamp(model.columnCount, 0, kMaxLines);
    const int h = std::clamp(model.rowCount, 0, kMaxLines);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            start->cells[x][y] = static_cast<std::int8_t>(cells[x * h + y]);
    }
    SolveDriver lines;
    lines.Prepare(nullptr, stop, *start);
    FixpointEnd end = RepeatUntilUnchanged(
        [&lines] { return lines.ScanPass(GridMode::Main, ViewRefresh::Off); }, interrupted);
    if (end == FixpointEnd::Done) {
        end = RepeatUntilUnchanged(
            [&lines] { return lines.AbsurdPass(SolveCommandSolve, ViewRefresh::Off); },
            interrupted);
    }
    if (end != FixpointEnd::Done)
        return end;
    const ByteMatrix& grid = lines.SolvedGrid();
    for (int i = 0; i < grid.Size(); ++i)
        cells[i] = grid.Get(i);
    return FixpointEnd::Done;
}

}  // namespace tessemar
