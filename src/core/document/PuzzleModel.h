#pragma once

#include "core/document/DocumentDefaults.h"

#include <array>
#include <cstdint>
#include <string>

namespace tessemar {

inline constexpr std::uint8_t kEmptySlot = 255;  // a clue slot without a number
inline constexpr std::int8_t kCellBlank = 0;
inline constexpr std::int8_t kCellX = -1;  // X mark: known to be blank

// Which clue lines a clue slot belongs to; the numbers are also undo record kinds.
enum ClueSide : int { SideRow = 1, SideColumn = 2 };

template <typename T>
using Grid = std::array<std::array<T, kMaxLines>, kMaxLines>;

// Everything a document file stores. The arrays are 250 x 250 whatever the size: changing the
// size changes two counters and keeps the cells and slots outside it.
struct PuzzleModel {
    std::int32_t columnCount = 15;  // W
    std::int32_t rowCount = 15;     // H
    std::int32_t cellSize = 17;
    std::array<std::int8_t, 2> formatVersion = {1, 0};
    Grid<std::int8_t> cells{};                // [x][y]: 0 blank, 1..8 colour, -1 X mark
    Grid<std::uint8_t> columnClueNumbers{};   // [x][k], k = 0 at the bottom
    Grid<std::uint8_t> rowClueNumbers{};      // [k][y], k = 0 at the right
    Grid<std::uint8_t> columnClueColors{};    // [x][k]
    Grid<std::uint8_t> rowClueColors{};       // [k][y]
    ColorTable colors = kDefaultColors;       // background, colours 1..8, X mark
    ColorTable shadowColors = kDefaultShadowColors;  // bold line, shadows 1..8, thin line
    std::string title = "Untitled";
    std::string fontFaceName = "Arial";
    std::int32_t fontWeight = 700;

    PuzzleModel() { ClearArrays(); }

    // Cells 0, clue numbers 255, clue colours 0 over the whole 250 x 250 extent.
    void ClearArrays();

    // The clue arrays of one side, indexed [i][j] as above: a row slot is (k, y), a column
    // slot (x, k).
    Grid<std::uint8_t>& ClueNumbers(int side) {
        return side == SideRow ? rowClueNumbers : columnClueNumbers;
    }
    const Grid<std::uint8_t>& ClueNumbers(int side) const {
        return side == SideRow ? rowClueNumbers : columnClueNumbers;
    }
    Grid<std::uint8_t>& ClueColors(int side) {
        return side == SideRow ? rowClueColors : columnClueColors;
    }
    const Grid<std::uint8_t>& ClueColors(int side) const {
        return side == SideRow ? rowClueColors : columnClueColors;
    }

    // The number of used slots of a clue line: index of its last non-empty slot plus one,
    // looking at the slots a line of the current size can hold.
    int RowClueLength(int y) const;
    int ColumnClueLength(int x) const;
};

}  // namespace tessemar
