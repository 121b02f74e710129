#pragma once

#include "core/document/PuzzleModel.h"

#include <cstdint>
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

// True when the n cells (stride apart) are complete and their runs are exactly the clue's:
// same lengths, same colours, same order. Maximal runs of one colour are what the clue counts,
// so two runs of one colour must be apart.
bool LineMatchesClue(const std::uint8_t* cells, int stride, int n, const CheckClue& clue);
// Every row and every column of a complete grid matches its clue.
bool GridMatchesClues(const CheckLines& lines, const CheckGrid& grid);

// The colours 1..8 the clue uses, as bits (colour c is bit c - 1).
std::uint8_t ClueColourBits(const CheckClue& clue);

// The exact placements of one line's runs over its known cells: start s of run b is feasible
// when some complete line that matches the clue, agrees with every known cell and puts only
// allowed colours on unknown cells has run b at s. allowed[i] holds the colour bits an unknown
// cell i may take (the colours of its crossing line).
struct LinePlacements {
    // False when no complete line fits: the puzzle has no solution.
    bool possible = false;
    // feasible[b][s], s = 0..n - length(b).
    std::vector<std::vector<bool>> feasible;
};
LinePlacements FindLinePlacements(const std::uint8_t* cells, int stride, int n,
                                  const std::uint8_t* allowed, const CheckClue& clue);

}  // namespace tessemar
