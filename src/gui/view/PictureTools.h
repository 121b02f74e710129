#pragma once

#include "core/document/Drawing.h"

#include <optional>

namespace tessemar {

class CEditSession;

// A drag on the picture from button down to button up; one press and release is one edit.
// The pen writes each cell it passes over at once; the rectangle and the line show a preview
// and write at button up, with the modifier keys held then; paint fills at button down. The
// select tool drags a rubber band that lifts its cells into a floating fragment, or moves the
// fragment that floats in whole cells (the right button puts it back where the move began).
class CPictureTools {
  public:
    explicit CPictureTools(CEditSession& session) : session_(session) {}

    // A press on a picture cell; onSelection: on the frame of the fragment that floats. False
    // when no drag starts (a cell outside the picture, or the document busy with an edit of
    // someone else's, such as a solver run).
    bool Press(CellPoint cell, MouseButton button, bool ctrl, bool shift, bool onSelection);
    // A press in the margin beside the picture: the select tool takes whole rows (anchor at
    // the left edge), whole columns (at the top edge) or everything, from anchor to current.
    bool PressMargin(CellPoint anchor, CellPoint current);
    // The pointer reached a cell (outside the picture too, while a line or a selection is
    // dragged).
    void Move(CellPoint cell, bool shift);
    void Release(CellPoint cell, bool ctrl, bool shift);

    bool Dragging() const { return drag_.has_value(); }
    // Whether the pointer may leave the picture: a line, or a selection being dragged.
    bool FollowsMouse() const;
    struct Preview {
        int tool;
        CellPoint anchor;
        CellPoint current;
    };
    // What the pane draws over the picture while a rectangle, a line or a rubber band is
    // dragged.
    std::optional<Preview> CurrentPreview() const;
    // For the status bar: the anchor and the cell last reached, or the corners of a frame
    // being moved.
    std::optional<Preview> CurrentDrag() const;

  private:
    enum class Kind { Draw, NewSelection, MoveSelection };
    struct Drag {
        Kind kind;
        int tool;
        MouseButton button;
        int value;
        CellPoint anchor;
        CellPoint current;
    };

    bool Begin(Drag drag);
    void MoveSelection(CellPoint cell);
    void CancelMove();

    CEditSession& session_;
    std::optional<Drag> drag_;
};

}  // namespace tessemar
