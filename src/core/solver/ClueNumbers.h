#pragma once

#include "core/document/CLogicDoc.h"
#include "core/document/PuzzleModel.h"
#include "core/solver/SolveResult.h"

#include <cstdint>
#include <span>

namespace tessemar {

// Document operations of the solver on the clue lines.

// Rewrites every row and column clue line of the current size from the picture: one edit, in
// which only slots that really change leave undo records, so a picture whose clues are
// already up to date leaves no entry.
void CalculateNumbers(CLogicDoc& doc);

// Tests the clue lines before a solve. False when every line fits and every colour has the
// same total in the rows as in the columns; otherwise true with exactly one output set: the
// first row that needs more cells than it has, else the first such column, else the first
// colour (1..8) whose totals disagree. The caller sets all three outputs to -1 first.
bool CheckNumbers(const PuzzleModel& model, int& badRow, int& badColumn, int& badColour);
inline bool CheckNumbers(const CLogicDoc& doc, int& badRow, int& badColumn, int& badColour) {
    return CheckNumbers(doc.Model(), badRow, badColumn, badColour);
}

// Writes a grid of width x height solver values (cell (x, y) at x * height + y) into the
// picture as one edit (or as part of the edit open around it): every cell whose value differs;
// unknown cells, and cells beyond the grid's end, become empty cells. Returns the number of
// cells written.
int WriteBackSolution(CLogicDoc& doc, std::span<const std::uint8_t> grid, int width, int height);
// The same for a run's grid.
int WriteBackSolution(CLogicDoc& doc, const SolveResult& result);

}  // namespace tessemar
