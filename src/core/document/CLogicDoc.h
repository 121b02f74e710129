#pragma once

#include "core/document/Document.h"
#include "core/document/PuzzleModel.h"
#include "core/settings/AppSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessemar {

// The kinds of undo records and entries.
enum UndoKind : int { UndoCell = 0, UndoRowClue = 1, UndoColumnClue = 2, UndoSize = 3, UndoTitle = 4 };

inline constexpr std::size_t kUndoRecordSize = 7;

// The document of one open puzzle: the model, its undo history and the change notifications
// the views redraw from. Every change of cells and clue slots goes through SetCell and
// SetClueNumber.
class CLogicDoc : public Document {
public:
    // A constructed document already holds a complete new puzzle made from defaults, so that
    // an empty file opened as a document has defined contents.
    explicit CLogicDoc(const DocumentDefaults& defaults = {});

    const PuzzleModel& Model() const { return model_; }
    int columnCount() const { return model_.columnCount; }
    int rowCount() const { return model_.rowCount; }
    int cellSize() const { return model_.cellSize; }
    std::int8_t Cell(int x, int y) const { return model_.cells[x][y]; }

    // Starts a new puzzle from the defaults of the settings file.
    void OnNewDocument(const DocumentDefaults& defaults);

    // Replaces the saved part of the document, as loading a file does; the undo history stays.
    void ReplaceModel(const PuzzleModel& model);

    void SetCell(int x, int y, std::int8_t value);
    void SetClueNumber(int side, int i, int j, int number, int colour);
    void SetPuzzleSize(int columns, int rows);
    void SetCellSize(int cellSize);
    void ClearAllNumbers();

    std::string GetDocumentFileName() const;
    std::int64_t GetFileSizeEstimate() const;

    // Undo history. pendingUndo collects the records of the action in progress; an entry
    // holds them newest first.
    void RecordUndo(int kind, int a, int b, int newValue, int oldValue, int newColour, int oldColour);
    void CommitUndo();
    void DiscardPendingUndo();
    void ClearUndoHistory();
    // The records of the action in progress, newest first, as they will be committed.
    std::string PendingUndo() const;
    bool HasPendingUndo() const { return !pendingRecords_.empty(); }
    const std::vector<std::string>& UndoHistory() const { return undoHistory_; }
    int UndoPosition() const { return undoPosition_; }
    void SetUndoPosition(int position) { undoPosition_ = position; }

protected:
    PuzzleModel& MutableModel() { return model_; }
    void NotifyLayoutChanged() const;
    void NotifyTitleChanged() const;

private:
    PuzzleModel model_;
    // Records oldest first; kept in that order so that adding one costs no copying.
    std::string pendingRecords_;
    std::vector<std::string> undoHistory_;
    int undoPosition_ = -1;
};

}  // namespace tessemar
