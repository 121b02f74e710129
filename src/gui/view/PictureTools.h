#pragma once

#include "core/document/Drawing.h"

#include <optional>

namespace tessemar {

class CEditSession;

// A drag on the picture with the pen, straight-line, rectangle or paint tool, from button down
// to button up: one press and release is one edit. The pen writes each cell it passes over at
// once; the rectangle and the line show a preview and write at button up, with the modifier
// keys held then; paint fills at button down.
class CPictureTools {
  public:
    explicit CPictureTools(CEditSession& session) : session_(session) {}

    // A press on a picture cell. False when no drag starts (another tool, a cell outside the
    // picture, or the document busy with an edit of someone else's, such as a solver run).
    bool Press(CellPoint cell, MouseButton button, bool ctrl, bool shift);
    // The pointer reached a cell (outside the picture too, while a line is dragged).
    void Move(CellPoint cell, bool shift);
    void Release(CellPoint cell, bool ctrl, bool shift);

    bool Dragging() const { return drag_.has_value(); }
    // What the pane draws over the picture while a rectangle or a line is dragged.
    struct Preview {
        int tool;
        CellPoint anchor;
        CellPoint current;
    };
    std::optional<Preview> CurrentPreview() const;
    // The anchor and the cell last reached, for the status bar.
    std::optional<Preview> CurrentDrag() const;

  private:
    struct Drag {
        int tool;
        MouseButton button;
        int value;
        CellPoint anchor;
        CellPoint current;
    };

    CEditSession& session_;
    std::optional<Drag> drag_;
};

}  // namespace tessemar
