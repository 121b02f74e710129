#pragma once

#include "core/document/CLogicDoc.h"
#include "core/solver/ClueNumbers.h"
#include "support/ModelSetup.h"

#include <memory>
#include <string>
#include <vector>

namespace tessemar {

// A puzzle document from a picture, one string per row: ' ' or '.' empty, '1'..'8' colours;
// the clue lines are computed from it.
inline std::unique_ptr<CLogicDoc> DocumentFromPicture(const std::vector<std::string>& rows) {
    auto doc = std::make_unique<CLogicDoc>();
    const int h = static_cast<int>(rows.size());
    const int w = h > 0 ? static_cast<int>(rows[0].size()) : 0;
    ChangeModel(*doc, [&](PuzzleModel& m) {
        m.columnCount = w;
        m.rowCount = h;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const char ch = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                m.cells[x][y] = ch >= '1' && ch <= '8' ? static_cast<std::int8_t>(ch - '0') : 0;
            }
        }
    });
    CalculateNumbers(*doc);
    doc->ClearUndoHistory();
    return doc;
}

// The model with its picture wiped: what a solver starts from.
inline PuzzleModel WithoutPicture(const PuzzleModel& model) {
    PuzzleModel copy = model;
    for (auto& column : copy.cells)
        column.fill(0);
    return copy;
}

}  // namespace tessemar
