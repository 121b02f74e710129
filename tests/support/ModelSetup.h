#pragma once

#include "core/document/CLogicDoc.h"

#include <memory>

namespace tessemar {

// Test set-up outside the history: the model changes as if a file with it had been loaded.
template <typename Change>
void ChangeModel(CLogicDoc& doc, Change change) {
    auto model = std::make_unique<PuzzleModel>(doc.Model());
    change(*model);
    doc.ReplaceModel(*model);
}

inline void LoadCell(CLogicDoc& doc, int x, int y, int value) {
    ChangeModel(doc, [&](PuzzleModel& m) { m.cells[x][y] = static_cast<std::int8_t>(value); });
}

inline void LoadSize(CLogicDoc& doc, int columns, int rows) {
    ChangeModel(doc, [&](PuzzleModel& m) {
        m.columnCount = columns;
        m.rowCount = rows;
    });
}

}  // namespace tessemar
