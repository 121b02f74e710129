#include "core/document/CLogicDoc.h"

namespace tessemar {
namespace {

// A clue slot seen as (line, slot): a row slot is addressed (k, y) and a column slot (x, k);
// a row line has a slot per column, a column line one per row.
struct ClueLineView {
    int side;
    int slotCount;
    int lineCount;
    int I(int line, int slot) const { return side == SideRow ? slot : line; }
    int J(int line, int slot) const { return side == SideRow ? line : slot; }
    int Line(int i, int j) const { return side == SideRow ? j : i; }
    int Slot(int i, int j) const { return side == SideRow ? i : j; }
};

ClueLineView ViewOf(int side, const PuzzleModel& m) {
    return side == SideRow ? ClueLineView{side, m.columnCount, m.rowCount}
                           : ClueLineView{side, m.rowCount, m.columnCount};
}

// A row slot (k, y) and a column slot (x, k) of the puzzle both lie inside W x H.
bool IsPuzzleSlot(const CLogicDoc& doc, int side, int i, int j) {
    return (side == SideRow || side == SideColumn) && doc.IsInPicture(i, j);
}

}  // namespace

void CLogicDoc::MoveClueSlot(int side, int toI, int toJ, int fromI, int fromJ) {
    SetClueNumber(side, toI, toJ, model_.ClueNumbers(side)[fromI][fromJ],
                  model_.ClueColors(side)[fromI][fromJ]);
}

void CLogicDoc::FormatNumbers() { ClearAllNumbers(); }

void CLogicDoc::InsertClueSlot(int side, int i, int j) {
    if (!IsPuzzleSlot(*this, side, i, j)) return;
    DocumentEdit edit(*this);
    const ClueLineView v = ViewOf(side, model_);
    const int line = v.Line(i, j);
    const int at = v.Slot(i, j);
    for (int s = v.slotCount - 1; s > at; --s) {
        MoveClueSlot(side, v.I(line, s), v.J(line, s), v.I(line, s - 1), v.J(line, s - 1));
    }
    SetClueNumber(side, i, j, kEmptySlot, 0);
    edit.Commit();
}

void CLogicDoc::DeleteClueSlot(int side, int i, int j) {
    if (!IsPuzzleSlot(*this, side, i, j)) return;
    DocumentEdit edit(*this);
    const ClueLineView v = ViewOf(side, model_);
    const int line = v.Line(i, j);
    for (int s = v.Slot(i, j); s < v.slotCount - 1; ++s) {
        MoveClueSlot(side, v.I(line, s), v.J(line, s), v.I(line, s + 1), v.J(line, s + 1));
    }
    SetClueNumber(side, v.I(line, v.slotCount - 1), v.J(line, v.slotCount - 1), kEmptySlot, 0);
    edit.Commit();
}

void CLogicDoc::InsertClueLine(int side, int i, int j) {
    if (!IsPuzzleSlot(*this, side, i, j)) return;
    DocumentEdit edit(*this);
    const ClueLineView v = ViewOf(side, model_);
    const int at = v.Line(i, j);
    for (int s = v.slotCount - 1; s >= 0; --s) {
        for (int r = v.lineCount - 1; r > at; --r) {
            MoveClueSlot(side, v.I(r, s), v.J(r, s), v.I(r - 1, s), v.J(r - 1, s));
        }
        SetClueNumber(side, v.I(at, s), v.J(at, s), kEmptySlot, 0);
    }
    edit.Commit();
}

void CLogicDoc::DeleteClueLine(int side, int i, int j) {
    if (!IsPuzzleSlot(*this, side, i, j)) return;
    DocumentEdit edit(*this);
    const ClueLineView v = ViewOf(side, model_);
    const int at = v.Line(i, j);
    for (int s = 0; s < v.slotCount; ++s) {
        for (int r = at; r < v.lineCount - 1; ++r) {
            MoveClueSlot(side, v.I(r, s), v.J(r, s), v.I(r + 1, s), v.J(r + 1, s));
        }
        SetClueNumber(side, v.I(v.lineCount - 1, s), v.J(v.lineCount - 1, s), kEmptySlot, 0);
    }
    edit.Commit();
}

}  // namespace tessemar
