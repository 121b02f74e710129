#include "core/document/CLogicDoc.h"

#include <algorithm>

namespace tessemar {

bool CLogicDoc::ChangeSize(int columns, int rows, int cellSize, int backDrawMode) {
    if (!IsValidPuzzleSize(columns, rows, cellSize)) return false;
    DocumentEdit edit(*this);
    CommitFloatingSelection(backDrawMode);
    const int oldColumns = model_.columnCount;
    const int oldRows = model_.rowCount;
    const int oldCellSize = model_.cellSize;
    PutSize(columns, rows, cellSize);
    if (columns != oldColumns || rows != oldRows || cellSize != oldCellSize) {
        // A size entry stands alone: records gathered before it become an entry first.
        CloseEntry();
        std::string entry;
        for (int value : {static_cast<int>(UndoSize), columns, rows, cellSize, oldColumns, oldRows, oldCellSize}) {
            entry.push_back(static_cast<char>(value));
        }
        CommitEntry(std::move(entry));
    }
    edit.Commit();
    return true;
}

void CLogicDoc::ChangeTitle(std::string title) {
    // The title is one line, and the undo entry keeps the new title up to its first line feed.
    std::replace(title.begin(), title.end(), '\n', ' ');
    if (title == model_.title) return;
    DocumentEdit edit(*this);
    CloseEntry();
    std::string entry(1, static_cast<char>(UndoTitle));
    entry += title;
    entry += '\n';
    entry += model_.title;
    PutTitle(std::move(title));
    SetModifiedFlag();
    CommitEntry(std::move(entry));
    edit.Commit();
}

// Colours and font are no steps of the history: they are edits without records.
void CLogicDoc::SetColorTables(const ColorTable& colors, const ColorTable& shadowColors) {
    DocumentEdit edit(*this);
    model_.colors = colors;
    model_.shadowColors = shadowColors;
    SetModifiedFlag();
    NotifyLayoutChanged();
    edit.Commit();
}

void CLogicDoc::SetNumberFont(std::string faceName, int weight) {
    DocumentEdit edit(*this);
    model_.fontFaceName = std::move(faceName);
    model_.fontWeight = weight;
    SetModifiedFlag();
    NotifyLayoutChanged();
    edit.Commit();
}

}  // namespace tessemar
