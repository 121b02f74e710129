#include "core/document/PuzzleModel.h"

namespace tessemar {

void PuzzleModel::ClearArrays() {
    for (auto& column : cells) column.fill(kCellBlank);
    for (auto& line : columnClueNumbers) line.fill(kEmptySlot);
    for (auto& line : rowClueNumbers) line.fill(kEmptySlot);
    for (auto& line : columnClueColors) line.fill(0);
    for (auto& line : rowClueColors) line.fill(0);
}

int PuzzleModel::RowClueLength(int y) const {
    for (int k = columnCount - 1; k >= 0; --k) {
        if (rowClueNumbers[k][y] != kEmptySlot) return k + 1;
    }
    return 0;
}

int PuzzleModel::ColumnClueLength(int x) const {
    for (int k = rowCount - 1; k >= 0; --k) {
        if (columnClueNumbers[x][k] != kEmptySlot) return k + 1;
    }
    return 0;
}

}  // namespace tessemar
