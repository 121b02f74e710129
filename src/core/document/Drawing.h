#pragma once

#include <vector>

namespace tessemar {

// The picture tools; the numbers are the values stored in the settings file.
enum Tool : int { ToolPen = 0, ToolRectangle = 1, ToolPaint = 2, ToolSelect = 3, ToolStraightLine = 4 };

enum class MouseButton { Left, Right };

struct CellPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CellPoint&) const = default;
};

// The value a pen, rectangle or line drag writes, decided when the button goes down on a cell
// holding startCell. The left button paints the colour on a blank cell and erases anything
// else; the right button puts an X mark on a blank cell and erases anything else. Ctrl always
// paints (colour or X), Shift without Ctrl always erases.
int DragValue(MouseButton button, int startCell, int color, bool ctrl, bool shift);

// The value a rectangle or line writes when the button comes up: the modifiers held at that
// moment override the value chosen at button down, in the same way.
int ReleaseValue(MouseButton button, int dragValue, int color, bool ctrl, bool shift);

// The value a pen drag writes at a mouse move: Shift held during the move erases.
inline int PenMoveValue(int dragValue, bool shift) { return shift ? 0 : dragValue; }

// The cells a one-pixel line from (x1, y1) to (x2, y2) covers, both ends included, in order
// from the first end, and only those inside a width x height picture.
//
// The rule is the one screen line drawing uses (grid intersection quantization): along the
// longer axis every cell between the ends gets exactly one cell across, the one whose centre
// lies nearest the ideal line. Where the line passes exactly halfway between two cells, the
// one with the smaller coordinate wins: the upper cell for a line flatter than 45 degrees, the
// left cell for a steeper one. The rule depends only on the two ends, not on the direction of
// drawing, so a line dragged either way covers the same cells; the ends may lie outside the
// picture, and the line is clipped without changing the cells inside.
std::vector<CellPoint> StraightLineCells(int x1, int y1, int x2, int y2, int width, int height);

}  // namespace tessemar
