#pragma once

#include "core/solver/ByteMatrix.h"

#include <cstdint>

namespace tessemar {

// Result bits of a solve, combined with OR into one code.
enum SolveResultBits : std::int32_t {
    // During a run: a sweep or pass changed a cell. In the final code: no unknown cell is left.
    ResultChanged = 0x00000001,
    // Final code only: unknown cells are left.
    ResultIncomplete = 0x00000010,
    ResultStopped = 0x01000000,
    ResultContradiction = 0x10000000,
};

// The commands a run carries out.
enum SolveCommand : int {
    SolveCommandSolve = 0x403,
    SolveCommandHint = 0x404,
};

// Cell values of the solver's grids and lines.
inline constexpr std::uint8_t kSolverUnknown = 0;
inline constexpr std::uint8_t kSolverBlank = 255;

// What a run hands to the view at its end.
struct SolveResult {
    std::int32_t code = 0;
    std::int32_t elapsedMs = 0;
    // The run's grid, W x H, cell (x, y) at flat index x * H + y; owned by the run object.
    const ByteMatrix* grid = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t knownCells = 0;
    std::int32_t normalRowScans = 0;
    std::int32_t normalColumnScans = 0;
    std::int32_t trialRowScans = 0;
    std::int32_t trialColumnScans = 0;
    std::int32_t tries = 0;
    std::int32_t fixedByTrial = 0;
    std::int32_t contradictionX = -1;
    std::int32_t contradictionY = -1;

    // 0 unknown, 1..8 colour, 255 blank; 0 outside the grid.
    std::uint8_t Cell(int x, int y) const {
        if (grid == nullptr || x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        return grid->Get(x * height + y);
    }
};

}  // namespace tessemar
