#include "gui/view/PictureTools.h"

#include "core/document/CLogicDoc.h"
#include "gui/view/CEditSession.h"

namespace tessemar {

bool CPictureTools::Press(CellPoint cell, MouseButton button, bool ctrl, bool shift) {
    CLogicDoc& doc = session_.Document();
    const int tool = session_.Tool();
    if (drag_ || tool == ToolSelect || !doc.IsInPicture(cell.x, cell.y) || doc.EditInProgress()) return false;
    session_.BeginStroke();
    // Any other tool first drops what floats, as a change of tool does.
    doc.CommitFloatingSelection(session_.BackDrawMode());
    const int color = session_.Color();
    drag_ = Drag{tool, button, DragValue(button, doc.Cell(cell.x, cell.y), color, ctrl, shift), cell, cell};
    if (tool == ToolPen) doc.WriteCell(cell.x, cell.y, drag_->value);
    if (tool == ToolPaint) doc.PaintFill(cell.x, cell.y, button, color);
    return true;
}

void CPictureTools::Move(CellPoint cell, bool shift) {
    if (!drag_ || cell == drag_->current) return;
    drag_->current = cell;
    if (drag_->tool == ToolPen) session_.Document().WriteCell(cell.x, cell.y, PenMoveValue(drag_->value, shift));
}

void CPictureTools::Release(CellPoint cell, bool ctrl, bool shift) {
    if (!drag_) return;
    const Drag drag = *drag_;
    drag_.reset();
    CLogicDoc& doc = session_.Document();
    const int value = ReleaseValue(drag.button, drag.value, session_.Color(), ctrl, shift);
    if (drag.tool == ToolRectangle) doc.FillRectangle(drag.anchor.x, drag.anchor.y, cell.x, cell.y, value);
    if (drag.tool == ToolStraightLine) doc.DrawStraightLine(drag.anchor.x, drag.anchor.y, cell.x, cell.y, value);
    session_.EndStroke();
}

std::optional<CPictureTools::Preview> CPictureTools::CurrentDrag() const {
    if (!drag_) return std::nullopt;
    return Preview{drag_->tool, drag_->anchor, drag_->current};
}

std::optional<CPictureTools::Preview> CPictureTools::CurrentPreview() const {
    if (!drag_ || (drag_->tool != ToolRectangle && drag_->tool != ToolStraightLine)) return std::nullopt;
    return CurrentDrag();
}

}  // namespace tessemar
