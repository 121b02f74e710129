#include "core/solver/ClueNumbers.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tessemar {
namespace {

struct Slot {
    std::uint8_t number;
    std::uint8_t colour;
};

// One clue line from a line of picture cells read from the picture outwards (cell(0) is the
// cell next to the clues' picture edge); an empty line is the single number 0 of colour 1.
template <typename CellAt>
void LineClues(int n, CellAt cellAt, std::array<Slot, kMaxLines>& slots) {
    for (int k = 0; k < n; ++k)
        slots[k] = {kEmptySlot, 0};
    slots[0] = {0, 1};
    int k = 0;
    int runLength = 0;
    int runColour = 0;
    for (int i = 0; i < n; ++i) {
        const int cell = cellAt(i);
        const bool coloured = cell >= 1 && cell <= 8;
        if ((!coloured || cell != runColour) && runLength != 0) {
            slots[k++] = {static_cast<std::uint8_t>(runLength),
                          static_cast<std::uint8_t>(runColour)};
            runLength = 0;
        }
        if (coloured) {
            ++runLength;
            runColour = cell;
        }
    }
    if (runLength != 0)
        slots[k] = {static_cast<std::uint8_t>(runLength), static_cast<std::uint8_t>(runColour)};
}

// Adds one line's counted slots into the colour totals; returns the cells the line needs.
template <typename SlotAt>
int LineNeed(int n, SlotAt slotAt, std::array<long, 9>& totals) {
    int need = 0;
    int previousColour = -1;
    for (int k = 0; k < n; ++k) {
        const Slot slot = slotAt(k);
        if (slot.number < 1 || slot.number > 250 || slot.colour == 0)
            continue;
        need += slot.number;
        if (slot.colour == previousColour)
            ++need;  // the gap between two runs of one colour
        previousColour = slot.colour;
        if (slot.colour <= 8)
            totals[slot.colour] += slot.number;
    }
    return need;
}

int ClampedSize(int size) {
    return std::clamp(size, 0, kMaxLines);
}

}  // namespace

void CalculateNumbers(CLogicDoc& doc) {
    const PuzzleModel& model = doc.Model();
    const int w = ClampedSize(model.columnCount);
    const int h = ClampedSize(model.rowCount);
    DocumentEdit edit(doc);
    std::array<Slot, kMaxLines> slots{};
    for (int y = 0; y < h; ++y) {
        // Rows are read from the right, so the rightmost run lands in slot 0.
        LineClues(
            w, [&](int i) { return static_cast<int>(doc.Model().cells[w - 1 - i][y]); }, slots);
        for (int k = 0; k < w; ++k)
            doc.SetClueNumber(SideRow, k, y, slots[k].number, slots[k].colour);
    }
    for (int x = 0; x < w; ++x) {
        LineClues(
            h, [&](int i) { return static_cast<int>(doc.Model().cells[x][h - 1 - i]); }, slots);
        for (int k = 0; k < h; ++k)
            doc.SetClueNumber(SideColumn, x, k, slots[k].number, slots[k].colour);
    }
    edit.Commit();
}

bool CheckNumbers(const PuzzleModel& model, int& badRow, int& badColumn, int& badColour) {
    const int w = ClampedSize(model.columnCount);
    const int h = ClampedSize(model.rowCount);
    std::array<long, 9> rowTotals{};
    std::array<long, 9> columnTotals{};
    for (int y = 0; y < h; ++y) {
        const int need = LineNeed(
            w,
            [&](int k) {
                return Slot{model.rowClueNumbers[k][y], model.rowClueColors[k][y]};
            },
            rowTotals);
        if (need > w) {
            badRow = y;
            return true;
        }
    }
    for (int x = 0; x < w; ++x) {
        const int need = LineNeed(
            h,
            [&](int k) {
                return Slot{model.columnClueNumbers[x][k], model.columnClueColors[x][k]};
            },
            columnTotals);
        if (need > h) {
            badColumn = x;
            return true;
        }
    }
    for (int c = 1; c <= 8; ++c) {
        if (rowTotals[c] != columnTotals[c]) {
            badColour = c;
            return true;
        }
    }
    return false;
}

int WriteBackSolution(CLogicDoc& doc, std::span<const std::uint8_t> grid, int width, int height) {
    const int w = std::min(doc.columnCount(), width);
    const int h = std::min(doc.rowCount(), height);
    int written = 0;
    DocumentEdit edit(doc);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t cell = static_cast<std::size_t>(x) * height + y;
            const std::uint8_t value = cell < grid.size() ? grid[cell] : kSolverUnknown;
            // The solver's blank (255) is the picture's X mark as a signed byte.
            if (doc.WriteCell(x, y, static_cast<std::int8_t>(value)))
                ++written;
        }
    }
    edit.Commit();
    return written;
}

int WriteBackSolution(CLogicDoc& doc, const SolveResult& result) {
    std::span<const std::uint8_t> grid;
    if (result.grid != nullptr)
        grid = {result.grid->Data(), static_cast<std::size_t>(result.grid->Size())};
    return WriteBackSolution(doc, grid, result.width, result.height);
}

}  // namespace tessemar
