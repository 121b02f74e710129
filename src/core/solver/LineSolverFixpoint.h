#pragma once

#include "core/document/PuzzleModel.h"
#include "core/solver/CheckLines.h"

#include <atomic>
#include <functional>

namespace tessemar {

enum class FixpointEnd { Done, Contradiction, Interrupted };

// Sweeps the puzzle's rows and columns with the line solver until a sweep changes nothing, then
// tries the values of each open cell on a trial grid, as Solve does: a cell whose trial values
// all but one end in a contradiction takes that one. This costs little next to the SAT search
// (0.1 s on a 99 x 59 puzzle, about 1 s on 250 x 250 eight-colour noise) and halved the search
// on the hardest puzzle measured, that 99 x 59 one. cells holds the starting cells (a CheckGrid
// of the model's size) and receives every cell deduced; every deduction holds in every solution.
// interrupted() is asked between sweeps and between trial passes (so a time limit is seen up to
// one pass late); the stop request is also read before every line.
FixpointEnd DeduceWithLineSolver(const PuzzleModel& model, CheckGrid& cells,
                                 const std::atomic<int>& stop,
                                 const std::function<bool()>& interrupted);

}  // namespace tessemar
