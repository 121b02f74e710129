#include "core/document/CLogicDoc.h"

namespace tessemar {

void CLogicDoc::TransformPicture(PictureTransform transform, int tool, int color, int backDrawMode) {
    DocumentEdit edit(*this);
    if (tool != ToolSelect || !hasFloatingSelection_) {
        CommitFloatingSelection(backDrawMode);
        LiftSelection(0, 0, model_.columnCount - 1, model_.rowCount - 1, backDrawMode);
    }
    if (!hasFloatingSelection_) {
        edit.Commit();
        return;
    }
    floatingSelection_ = TransformFragment(floatingSelection_, transform, color);
    // A turned fragment keeps its first corner; the other follows from the new size.
    selectionRect_.x2 = selectionRect_.x1 + floatingSelection_.width - 1;
    selectionRect_.y2 = selectionRect_.y1 + floatingSelection_.height - 1;
    NotifySelectionChanged();
    // Under another tool the transform is one finished action: the lift and the drop make
    // one entry. Under the Select tool the result floats until the user drops it.
    if (tool != ToolSelect) CommitFloatingSelection(backDrawMode);
    edit.Commit();
}

void CLogicDoc::FormatPicture(int backDrawMode) {
    DocumentEdit edit(*this);
    CommitFloatingSelection(backDrawMode);
    for (int y = 0; y < model_.rowCount; ++y) {
        for (int x = 0; x < model_.columnCount; ++x) WriteCell(x, y, kCellBlank);
    }
    edit.Commit();
}

}  // namespace tessemar
