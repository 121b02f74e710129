#pragma once

#include "core/document/Document.h"
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

// What an Undo or Redo did: nothing, a step of the open in-place editor's own text (the view
// passes it on to the editor), or a step of the document history.
enum class HistoryStep { None, Editor, Document };

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
    // Removes every entry; nothing is left to undo.
    void ClearUndoHistory();
    // The records of the action in progress, newest first, as they will be committed.
    std::string PendingUndo() const;
    bool HasPendingUndo() const { return !pendingRecords_.empty(); }
    const std::vector<std::string>& UndoHistory() const { return undoHistory_; }
    int UndoPosition() const { return undoPosition_; }
    // Kept within -1 .. the newest entry.
    void SetUndoPosition(int position);

    // Undo first drops a floating fragment (its drop becomes the entry undone), then takes back
    // the editor's text change or the entry at the position. Redo applies the next entry.
    HistoryStep Undo(int backDrawMode);
    HistoryStep Redo();
    // Availability. editorCanUndo: the open in-place editor has a change of its own to undo.
    bool CanUndo(bool editorCanUndo) const;
    bool CanRedo(bool editorCanUndo) const;
    bool CanClearUndoBuffer() const { return !undoHistory_.empty(); }
    // The status bar's undo position: "3", or "2/3" while there is something to redo.
    std::string UndoPositionText() const;

    // State of the views that the availability rules look at.
    bool EditorOpen() const { return editorOpen_; }
    bool EditorIsTitle() const { return editorIsTitle_; }
    // While an in-place editor is open: true when the next Undo goes to the editor's text,
    // false when the next Redo does.
    bool EditorUndoState() const { return editorUndoState_; }
    void SetEditorOpen(bool open, bool isTitle = false);
    void SetEditorUndoState(bool state) { editorUndoState_ = state; }
    bool StrokeInProgress() const { return strokeInProgress_; }
    void SetStrokeInProgress(bool stroke) { strokeInProgress_ = stroke; }
    // The clue slot and line commands need an open clue-number editor to act at.
    bool CanEditClueLines() const { return editorOpen_ && !editorIsTitle_; }

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
    const CellRect& LastSelectionRect() const { return lastSelectionRect_; }
    void SetLastSelectionRect(const CellRect& rect) { lastSelectionRect_ = rect; }
    // The cells of a rectangle (corners in any order); nothing for a negative coordinate.
    // Cells beyond the 250 x 250 arrays are left out.
    std::optional<Fragment> CopyRegion(int x1, int y1, int x2, int y2) const;
    // Drops what floats, then lifts the rectangle: its cells float, the picture under them
    // becomes blank. False (nothing floats) for a rectangle with a negative coordinate.
    bool LiftSelection(int x1, int y1, int x2, int y2, int backDrawMode);
    // Drops the floating fragment into the picture at its place and commits the lift and the
    // drop as one entry. With backDrawMode 0 blank cells leave the picture alone. Also ends a
    // stroke.
    void CommitFloatingSelection(int backDrawMode);
    // Shifts the floating fragment by whole cells.
    void MoveSelection(int dx, int dy);
    // Copy and cut give the bytes for the clipboard; without a floating fragment under the
    // Select tool they switch to it and lift the whole picture first. Cut then discards the
    // fragment and leaves its area blank.
    std::string EditCopy(int& tool, int backDrawMode);
    std::string EditCut(int& tool, int backDrawMode);
    // Floats pasted bytes at the top left; bytes that are no fragment change nothing.
    bool EditPaste(std::string_view bytes, int& tool, int backDrawMode);
    void SelectAll(int& tool, int backDrawMode);
    // Discards the floating fragment and leaves its area blank.
    void ClearSelection();
    // Clear Select and Set Select.
    bool CanChangeSelection(int tool) const { return tool == ToolSelect && hasFloatingSelection_; }

    // Drawing. WriteCell changes one cell inside the picture as part of an undoable action
    // (the caller commits); it reports whether the cell changed.
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

protected:
    PuzzleModel& MutableModel() { return model_; }
    void NotifyLayoutChanged() const;
    void NotifyTitleChanged() const;
    void NotifySelectionChanged() const;

private:
    void CommitEntry(std::string entry);
    void ApplyRecords(const std::string& entry, bool undo);
    bool ApplySizeRecord(const std::string& entry, bool undo);
    void ApplySize(int columns, int rows, int cellSize);
    void FloatFragment(Fragment fragment, const CellRect& rect);
    void EnterSelectState(int& tool, int backDrawMode);
    void MoveClueSlot(int side, int toI, int toJ, int fromI, int fromJ);

    PuzzleModel model_;
    // Records oldest first; kept in that order so that adding one costs no copying.
    std::string pendingRecords_;
    std::vector<std::string> undoHistory_;
    int undoPosition_ = -1;

    bool editorOpen_ = false;
    bool editorIsTitle_ = false;
    bool editorUndoState_ = false;
    bool strokeInProgress_ = false;

    Fragment floatingSelection_;
    bool hasFloatingSelection_ = false;
    CellRect selectionRect_;
    CellRect lastSelectionRect_;
};

}  // namespace tessemar
