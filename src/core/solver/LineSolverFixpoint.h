#pragma once

#include "core/document/PuzzleModel.h"
#include "core/solver/CheckLines.h"

#include <atomic>
#include <functional>

namespace tessemar {

enum class FixpointEnd { Done, Contradiction, Interrupted };

// Sweeps the puzzle's rows and columns with the line solver until a sweep changes nothing.
// cells holds the starting cells (a CheckGrid of the model's size) and receives every cell the
// line solver deduces; every deduction holds in every solution. interrupted() is asked between
// sweeps; the stop request is also read before every line.
FixpointEnd SolveLinesToFixpoint(const PuzzleModel& model, CheckGrid& cells,
                                 const std::atomic<int>& stop,
                                 const std::function<bool()>& interrupted);

}  // namespace tessemar
