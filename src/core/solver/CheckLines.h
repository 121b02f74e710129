#pragma once

#include "core/document/PuzzleModel.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tessemar {

// One run a clue line asks for, in line order (left to right, top to bottom).
struct CheckRun {
    int length = 0;
    std::uint8_t colour = 0;  // 1..8; any other colour can never be placed
};
using CheckClue = std::vector<CheckRun>;

// The clue lines of a puzzle as the complete check reads them. A slot counts as a run when its
// number is neither 0 nor 255 and its colour is not 0, as the line solver counts it; a run that
// cannot fit (longer than the line, or of a colour outside 1..8) makes the puzzle unsolvable.
struct CheckLines {
    int width = 0;
    int height = 0;
    std::vector<CheckClue> rows;     // [y]
    std::vector<CheckClue> columns;  // [x]
};
CheckLines CollectCheckLines(const PuzzleModel& model);

// Grids of the check: W x H cells, cell (x, y) at x * H + y, 0 unknown, 1..8 a colour, 255 blank
// (the solver's values).
using CheckGrid = std::vector<std::uint8_t>;

// Every row and every column of a complete grid matches its clue.
bool GridMatchesClues(const CheckLines& lines, const CheckGrid& grid);

// The values a cell may still take: bit 0 blank, bit c colour c (1..8).
using CellOptions = std::uint16_t;
inline constexpr CellOptions kBlankOption = 1;
// Options of every cell, cell (x, y) at x * H + y.
using OptionGrid = std::vector<CellOptions>;

// A known cell (1..8, 255 blank) has its value as its one option; an unknown one may be blank or
// any colour that both its row and its column use.
OptionGrid StartingOptions(const CheckLines& lines, const CheckGrid& known);
// The value of a cell with one option left, else 0.
std::uint8_t SettledValue(CellOptions options);

// The exact placements of one line's runs over its cells' options: start s of run b is feasible
// when some complete line that matches the clue and gives each cell one of its options has run
// b at s.
struct LinePlacements {
    // False when no complete line fits: the puzzle has no solution.
    bool possible = false;
    // feasible[b][s], s = 0..n - length(b).
    std::vector<std::vector<bool>> feasible;
};
LinePlacements FindLinePlacements(const CellOptions* cells, int stride, int n,
                                  const CheckClue& clue);

// Complete line solving: narrows every cell to the values some placement of its row and some
// placement of its column give it, line after line until nothing changes. Every narrowing holds
// in every solution. False when a line has no placement left (no solution); true also when
// interrupted() ends it early, which leaves wider but still valid options.
bool NarrowToFixpoint(const CheckLines& lines, OptionGrid& options,
                      const std::function<bool()>& interrupted);

}  // namespace tessemar
