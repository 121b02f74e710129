#include "core/solver/LineSolverFixpoint.h"

#include "core/solver/SolveDriver.h"

#include <algorithm>
#include <memory>

namespace tessemar {

FixpointEnd SolveLinesToFixpoint(const PuzzleModel& model, CheckGrid& cells,
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
    for (;;) {
        const int r = lines.ScanPass(GridMode::Main, ViewRefresh::Off);
        if ((r & ResultContradiction) != 0)
            return FixpointEnd::Contradiction;
        if ((r & ResultStopped) != 0 || interrupted())
            return FixpointEnd::Interrupted;
        if ((r & ResultChanged) == 0)
            break;
    }
    const ByteMatrix& grid = lines.SolvedGrid();
    for (int i = 0; i < grid.Size(); ++i)
        cells[i] = grid.Get(i);
    return FixpointEnd::Done;
}

}  // namespace tessemar
