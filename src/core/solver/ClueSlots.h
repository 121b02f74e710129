#pragma once

// How the solvers read a document's clue slots: which slots are runs, their colour bits, and the
// order of a line's runs. Internal to the solver.

#include "core/document/PuzzleModel.h"

#include <cstdint>

namespace tessemar {

// The colours a run may have: 1..8.
inline bool IsRunColour(std::uint8_t colour) {
    return colour >= 1 && colour <= 8;
}

// Colour c (1..8) as bit c - 1; any other value has no bit.
inline std::uint8_t ColourBit(std::uint8_t colour) {
    return IsRunColour(colour) ? static_cast<std::uint8_t>(1u << (colour - 1)) : 0;
}

// A slot is a run when it holds a number other than 0 and has a colour.
inline bool UsedSlot(std::uint8_t number, std::uint8_t colour) {
    return number != 0 && number != kEmptySlot && colour != 0;
}

// Calls use(number, colour) for every used slot of row `line` (rows) or column `line`, from the
// far end of its clue to the picture, so that the runs come in picture order. slots: the slots
// the line's clue has (the picture's width for a row, its height for a column).
template <typename Use>
void ForEachClueRun(const PuzzleModel& model, bool rows, int line, int slots, Use&& use) {
    for (int k = slots - 1; k >= 0; --k) {
        const std::uint8_t number =
            rows ? model.rowClueNumbers[k][line] : model.columnClueNumbers[line][k];
        const std::uint8_t colour =
            rows ? model.rowClueColors[k][line] : model.columnClueColors[line][k];
        if (UsedSlot(number, colour))
            use(number, colour);
    }
}

}  // namespace tessemar
