#include "gui/view/PictureTools.h"

#include "core/document/CLogicDoc.h"
#include "gui/view/CEditSession.h"

#include <algorithm>

namespace tessemar {

bool CPictureTools::Begin(Drag drag) {
    CLogicDoc& doc = session_.Document();
    if (drag_ || doc.EditInProgress())
        return false;
    session_.BeginStroke();
    // Anything but moving it drops what floats, as a change of tool does.
    if (drag.kind != Kind::MoveSelection)
        doc.CommitFloatingSelection(session_.BackDrawMode());
    drag_ = drag;
    return true;
}

bool CPictureTools::Press(CellPoint cell, MouseButton button, bool ctrl, bool shift, bool onSelection) {
    CLogicDoc& doc = session_.Document();
    if (drag_ && drag_->kind == Kind::MoveSelection && button == MouseButton::Right) {
        CancelMove();
        return false;
    }
    if (!doc.IsInPicture(cell.x, cell.y))
        return false;
    const int tool = session_.Tool();
    if (tool == ToolSelect) {
        if (button != MouseButton::Left)
            return false;
        const bool move = onSelection && doc.HasFloatingSelection();
        return Begin({move ? Kind::MoveSelection : Kind::NewSelection, tool, button, 0, cell, cell});
    }
    const int color = session_.Color();
    if (!Begin({Kind::Draw, tool, button, DragValue(button, doc.Cell(cell.x, cell.y), color, ctrl, shift), cell, cell}))
        return false;
    if (tool == ToolPen)
        doc.WriteCell(cell.x, cell.y, drag_->value);
    if (tool == ToolPaint)
        doc.PaintFill(cell.x, cell.y, button, color);
    return true;
}

bool CPictureTools::PressMargin(CellPoint anchor, CellPoint current) {
    if (drag_ || session_.Document().EditInProgress())
        return false;
    session_.ChooseTool(ToolSelect);
    return Begin({Kind::NewSelection, ToolSelect, MouseButton::Left, 0, anchor, current});
}

bool CPictureTools::FollowsMouse() const {
    return drag_ && (drag_->tool == ToolStraightLine || drag_->tool == ToolSelect);
}

void CPictureTools::Move(CellPoint cell, bool shift) {
    if (!drag_ || cell == drag_->current)
        return;
    if (drag_->kind == Kind::MoveSelection)
        return MoveSelection(cell);
    drag_->current = cell;
    if (drag_->tool == ToolPen)
        session_.Document().WriteCell(cell.x, cell.y, PenMoveValue(drag_->value, shift));
}

// The frame moves in whole cells and never leaves the picture: a step that would put an edge
// outside is not made along that axis, and the pointer's cell counts only along the axes that
// moved.
void CPictureTools::MoveSelection(CellPoint cell) {
    CLogicDoc& doc = session_.Document();
    const CellRect rect = doc.SelectionRect();
    const auto fits = [](int from, int to, int by, int count) { return from + by >= 0 && to + by < count; };
    const int dx = cell.x - drag_->current.x;
    const int dy = cell.y - drag_->current.y;
    const bool alongX = dx != 0 && fits(rect.Left(), rect.Right(), dx, doc.columnCount());
    const bool alongY = dy != 0 && fits(rect.Top(), rect.Bottom(), dy, doc.rowCount());
    if (alongX)
        drag_->current.x = cell.x;
    if (alongY)
        drag_->current.y = cell.y;
    if (alongX || alongY)
        doc.MoveSelection(alongX ? dx : 0, alongY ? dy : 0);
}

void CPictureTools::CancelMove() {
    session_.Document().MoveSelection(drag_->anchor.x - drag_->current.x, drag_->anchor.y - drag_->current.y);
    drag_.reset();
    session_.EndStroke();
}

void CPictureTools::Release(CellPoint cell, bool ctrl, bool shift) {
    if (!drag_)
        return;
    const Drag drag = *drag_;
    drag_.reset();
    CLogicDoc& doc = session_.Document();
    const int value = ReleaseValue(drag.button, drag.value, session_.Color(), ctrl, shift);
    if (drag.kind == Kind::NewSelection) {
        // A rubber band dragged beyond the picture selects up to its edge.
        const auto clampX = [&](int x) { return std::clamp(x, 0, doc.columnCount() - 1); };
        const auto clampY = [&](int y) { return std::clamp(y, 0, doc.rowCount() - 1); };
        const int x1 = clampX(std::min(drag.anchor.x, cell.x));
        const int y1 = clampY(std::min(drag.anchor.y, cell.y));
        doc.LiftSelection(x1, y1, clampX(std::max(drag.anchor.x, cell.x)), clampY(std::max(drag.anchor.y, cell.y)),
                          session_.BackDrawMode());
    } else if (drag.tool == ToolRectangle) {
        doc.FillRectangle(drag.anchor.x, drag.anchor.y, cell.x, cell.y, value);
    } else if (drag.tool == ToolStraightLine) {
        doc.DrawStraightLine(drag.anchor.x, drag.anchor.y, cell.x, cell.y, value);
    }
    session_.EndStroke();
}

std::optional<CPictureTools::Preview> CPictureTools::CurrentDrag() const {
    if (!drag_)
        return std::nullopt;
    if (drag_->kind == Kind::MoveSelection) {
        // A move shows where the frame stands.
        const CellRect rect = session_.Document().SelectionRect();
        return Preview{drag_->tool, {rect.Left(), rect.Top()}, {rect.Right(), rect.Bottom()}};
    }
    return Preview{drag_->tool, drag_->anchor, drag_->current};
}

std::optional<CPictureTools::Preview> CPictureTools::CurrentPreview() const {
    const bool shows = drag_ && (drag_->kind == Kind::NewSelection || drag_->tool == ToolRectangle ||
                                 drag_->tool == ToolStraightLine);
    return shows ? CurrentDrag() : std::nullopt;
}

}  // namespace tessemar
