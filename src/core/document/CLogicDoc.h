#pragma once

#include "core/document/Document.h"
#include "core/document/DocumentEdit.h"
#include "core/document/Drawing.h"
#include "core/document/Fragment.h"
#include "core/document/PuzzleModel.h"
#include "core/document/DocumentDefaults.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar {

// The kinds of undo records and entries.
enum UndoKind : int { UndoCell = 0, UndoRowClue = 1, UndoColumnClue = 2, UndoSize = 3, UndoTitle = 4 };

inline constexpr std::size_t kUndoRecordSize = 7;

// The document of one open puzzle: the model, its undo history and the change notifications
// the views redraw from. Apart from loading a whole model, every change is an edit
// (DocumentEdit): each operation below is one of its own, or part of the edit open around it.
// Undo and Redo take the same road back and announce what they change the same way.
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

    // A slot outside the 250 x 250 arrays, or of no side, is left alone.
    void SetClueNumber(int side, int i, int j, int number, int colour);
    void ClearAllNumbers();

    std::string GetDocumentFileName() const;
    std::int64_t GetFileSizeEstimate() const;

    // Undo history: entries of byte records, each holding its records newest first.
    const std::vector<std::string>& UndoHistory() const { return undoHistory_; }
    int UndoPosition() const { return undoPosition_; }
    // The records not yet in an entry, newest first: those of the edit in progress, or of the
    // lift of a floating fragment.
    std::string PendingUndo() const;
    bool HasPendingUndo() const { return !pendingRecords_.empty(); }
    // An edit is in progress (a stroke, a solver run): the history must not move under it.
    bool EditInProgress() const { return openEdits_ > 0; }
    // Removes every entry; nothing is left to undo.
    void ClearUndoHistory();

    // Undo first drops a floating fragment (its drop becomes the entry undone), then takes back
    // the entry at the position; Redo applies the next one. Both report whether they did.
    bool Undo(int backDrawMode);
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    bool CanClearUndoBuffer() const { return !undoHistory_.empty(); }
    // Whether the entry Undo or Redo would apply changes the puzzle's size (a whole new layout).
    bool UndoChangesSize() const { return EntryChangesSize(undoPosition_); }
    bool RedoChangesSize() const { return EntryChangesSize(undoPosition_ + 1); }
    // The status bar's undo position: "3", or "2/3" while there is something to redo.
    std::string UndoPositionText() const;

    // Puzzle settings. ChangeSize refuses sizes outside 1..250 and cell sizes outside 11..51;
    // a real change is one undo entry. The title change is one undo entry; colours and font
    // are not undoable.
    bool ChangeSize(int columns, int rows, int cellSize, int backDrawMode);
    void ChangeTitle(std::string title);
    void SetColorTables(const ColorTable& colors, const ColorTable& shadowColors);
    void SetNumberFont(std::string faceName, int weight);

    // Picture and clue-line commands; each one that changes something is one undo entry.
    // A transform works on the floating fragment, lifting the whole picture first when
    // nothing floats (or the Select tool is not active); unless the Select tool is active the
    // result is dropped again at once.
    void TransformPicture(PictureTransform transform, int tool, int color, int backDrawMode);
    void FormatPicture(int backDrawMode);
    void FormatNumbers();
    // The slot is addressed as in SetClueNumber; a slot outside the puzzle does nothing.
    void InsertClueSlot(int side, int i, int j);
    void DeleteClueSlot(int side, int i, int j);
    void InsertClueLine(int side, int i, int j);
    void DeleteClueLine(int side, int i, int j);

    // Selection. The floating fragment has been taken out of the picture; its lift records stay
    // pending until it is dropped, cut or cleared.
    bool HasFloatingSelection() const { return hasFloatingSelection_; }
    const Fragment& FloatingSelection() const { return floatingSelection_; }
    const CellRect& SelectionRect() const { return selectionRect_; }
    // The cells of a rectangle (corners in any order); nothing for a negative coordinate.
    // Cells beyond the 250 x 250 arrays are left out.
    std::optional<Fragment> CopyRegion(int x1, int y1, int x2, int y2) const;
    // Drops what floats, then lifts the rectangle: its cells float, the picture under them
    // becomes blank. False (nothing floats) for a rectangle with a negative coordinate.
    bool LiftSelection(int x1, int y1, int x2, int y2, int backDrawMode);
    // Drops the floating fragment into the picture at its place; the lift and the drop make
    // one entry. With backDrawMode 0 blank cells leave the picture alone.
    void CommitFloatingSelection(int backDrawMode);
    // Shifts the floating fragment by whole cells.
    void MoveSelection(int dx, int dy);
    // Copy and cut give the bytes for the clipboard; without a floating fragment under the
    // Select tool they lift the whole picture first (the caller then switches to the Select
    // tool). Cut then discards the fragment and leaves its area blank.
    std::string EditCopy(int tool, int backDrawMode);
    std::string EditCut(int tool, int backDrawMode);
    // Floats pasted bytes at the top left; bytes that are no fragment change nothing. Like
    // SelectAll, it leaves the caller to switch to the Select tool.
    bool EditPaste(std::string_view bytes, int backDrawMode);
    void SelectAll(int backDrawMode);
    // Discards the floating fragment and leaves its area blank.
    void ClearSelection();
    // Clear Select and Set Select.
    bool CanChangeSelection(int tool) const { return tool == ToolSelect && hasFloatingSelection_; }

    // Drawing. WriteCell changes one cell inside the picture; it reports whether it changed.
    bool WriteCell(int x, int y, int value);
    void FillRectangle(int x1, int y1, int x2, int y2, int value);
    void DrawStraightLine(int x1, int y1, int x2, int y2, int value);
    // Fills the 4-connected area of oldValue around (x, y) with newValue.
    void FloodFill(int x, int y, int newValue, int oldValue);
    // The Paint tool: a click with the drawing colour on that colour clears the area; the
    // right button covers an area with X marks, or clears an X-marked one.
    void PaintFill(int x, int y, MouseButton button, int color);

    bool IsInPicture(int x, int y) const {
        return x >= 0 && y >= 0 && x < model_.columnCount && y < model_.rowCount;
    }

private:
    friend class DocumentEdit;

    // Runs a change as an edit of its own, or, cheaply, as part of the edit already open: a
    // fill of the whole picture writes 62,500 cells.
    template <typename Change>
    void AsEdit(Change change) {
        if (openEdits_ > 0) return change();
        DocumentEdit edit(*this);
        change();
        edit.Commit();
    }

    void NotifyLayoutChanged() const;
    void NotifyTitleChanged() const;
    void NotifySelectionChanged() const;
    void NotifyHistoryChanged() const;

    // The model's primitives: they change, mark and announce, and record nothing. Edits record
    // around them; Undo, Redo and a rolled-back edit apply records through them.
    void PutCell(int x, int y, std::int8_t value);
    void PutClueSlot(int side, int i, int j, std::uint8_t number, std::uint8_t colour);
    void PutSize(int columns, int rows, int cellSize);
    void PutTitle(std::string title);

    void RecordUndo(int kind, int a, int b, int newValue, int oldValue, int newColour, int oldColour);
    // The pending records become an entry (nothing happens without any).
    void CloseEntry();
    // Ends the history at the position, appends the entry and announces it.
    void CommitEntry(std::string entry);
    // Takes back the pending records from the given one on, newest first.
    void RollBackRecords(std::size_t first);
    // Takes back and forgets the entries after the position.
    void RollBackEntries(int position);
    void DiscardFloatingSelection();
    void ApplyRecords(const std::string& entry, bool undo);
    bool ApplyEntry(const std::string& entry, bool undo);
    bool EntryChangesSize(int position) const;
    void FloatFragment(Fragment fragment, const CellRect& rect);
    void MoveClueSlot(int side, int toI, int toJ, int fromI, int fromJ);

    PuzzleModel model_;
    // Records oldest first; kept in that order so that adding one costs no copying.
    std::string pendingRecords_;
    std::vector<std::string> undoHistory_;
    int undoPosition_ = -1;
    int openEdits_ = 0;
    // The redo tail that an entry of the open edit replaced, given back if the edit is abandoned.
    std::vector<std::string> droppedRedoTail_;
    std::size_t droppedRedoTailAt_ = 0;
    // Counts the entries made from pending records, so that an edit can tell whether records
    // older than its own were committed while it was open.
    std::uint64_t entryGeneration_ = 0;

    Fragment floatingSelection_;
    bool hasFloatingSelection_ = false;
    CellRect selectionRect_;
};

}  // namespace tessemar
