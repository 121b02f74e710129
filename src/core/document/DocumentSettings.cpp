#include "core/document/CLogicDoc.h"

#include <algorithm>

namespace tessemar {

bool CLogicDoc::ChangeSize(int columns, int rows, int cellSize, int backDrawMode) {
    if (!IsValidPuzzleSize(columns, rows, cellSize)) return false;
    CommitFloatingSelection(backDrawMode);
    const int oldColumns = model_.columnCount;
    const int oldRows = model_.rowCount;
    const int oldCellSize = model_.cellSize;
    ApplySize(columns, rows, cellSize);
    if (columns != oldColumns || rows != oldRows || cellSize != oldCellSize) {
        std::string entry;
        for (int value : {static_cast<int>(UndoSize), columns, rows, cellSize, oldColumns, oldRows, oldCellSize}) {
            entry.push_back(static_cast<char>(value));
        }
        CommitEntry(std::move(entry));
    }
    return true;
}

void CLogicDoc::ChangeTitle(std::string title) {
    // The title is one line, and the undo entry keeps the new title up to its first line feed.
    std::replace(title.begin(), title.end(), '\n', ' ');
    if (title == model_.title) return;
    std::string entry(1, static_cast<char>(UndoTitle));
    entry += title;
    entry += '\n';
    entry += model_.title;
    CommitEntry(std::move(entry));
    model_.title = std::move(title);
    SetModifiedFlag();
    NotifyTitleChanged();
}

void CLogicDoc::SetColorTables(const ColorTable& colors, const ColorTable& shadowColors) {
    model_.colors = colors;
    model_.shadowColors = shadowColors;
    SetModifiedFlag();
    NotifyLayoutChanged();
}

void CLogicDoc::SetNumberFont(std::string faceName, int weight) {
    model_.fontFaceName = std::move(faceName);
    model_.fontWeight = weight;
    SetModifiedFlag();
    NotifyLayoutChanged();
}

}  // namespace tessemar
