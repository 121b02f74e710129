#pragma once

// Where everything of a puzzle sheet lies in layout space, and how the four panes of a document
// window map their points onto it. Plain functions of the puzzle's size, cell size and the
// BoldLine setting, so that the drawing, the hit tests, the export and the tests all agree.

#include "core/images/Rect.h"

#include <utility>

namespace tessemar {

struct PuzzleModel;

// The four panes of a document window, by their place in the 2 x 2 grid.
enum Pane : int { CornerPane = 0, ColumnCluePane = 1, RowCluePane = 2, PicturePane = 3 };
inline constexpr int PaneRow(Pane pane) {
    return pane == CornerPane || pane == ColumnCluePane ? 0 : 1;
}
inline constexpr int PaneColumn(Pane pane) {
    return pane == CornerPane || pane == RowCluePane ? 0 : 1;
}

// The clue regions share their codes with ClueSide; the picture's code is even so that the
// "row clues" test of the hit test can look at the lowest bit.
enum ViewRegion : int {
    RegionNone = 0,
    RegionRowClues = 1,
    RegionColumnClues = 2,
    RegionPicture = 4
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The coordinates of one layout: W columns, H rows, cell pitch c.
//
// Layout space: the row clue area lies left of the picture and below the top band, the column
// clue area above the picture, the picture grid starts at (clueAreaWidth, clueAreaHeight). The
// clue areas are allotted their full depth (W row slots, H column slots). The empty top left
// rectangle holds the one-pixel-per-cell preview.
class LayoutGeometry {
  public:
    LayoutGeometry(int columnCount, int rowCount, int cellSize, bool boldLine);

    int columnCount() const { return w_; }
    int rowCount() const { return h_; }
    int cellSize() const { return c_; }
    bool boldLine() const { return bold_; }

    int clueAreaWidth() const { return w_ * c_ + 1; }
    int clueAreaHeight() const { return h_ * c_ + 1; }

    // Distance from the grid origin to the first interior pixel of cell i along one axis. Every
    // fifth grid line is one pixel wider, every tenth one more with BoldLine, and line 0 is
    // three pixels wide.
    int CellOffset(int i) const { return i * c_ + i / 5 + 3 + (bold_ ? i / 10 : 0); }
    // First pixel of grid line i (0..n) from the grid origin, and its width.
    int LineOffset(int i) const;
    int LineWidth(int i, int n) const;
    // Pixels from the grid origin to just past the closing border of n cells. The closing border
    // is always three pixels wide, so this is exact for every n (a formula that ignores the
    // border's third pixel when n is a multiple of ten without BoldLine would clip it).
    int GridSpan(int n) const;

    // Size of the layout without the graduation margin.
    PixelSize GetLayoutExtent() const;
    // Size of the whole drawing: the extent plus two cells to the right and below, where the
    // graduation numbers stand.
    PixelSize BitmapSize() const;

    // Layout x of the first interior pixel of picture column x, and y of row y.
    int CellLeft(int x) const { return clueAreaWidth() + CellOffset(x); }
    int CellTop(int y) const { return clueAreaHeight() + CellOffset(y); }
    // The coloured interior of a cell, (c - 1) x (c - 1).
    Rect CellInterior(int x, int y) const;

    // The box in which the number of a clue slot is drawn, (c - 2) x (c - 2). side is
    // SideRow (line = row) or SideColumn (line = column).
    Rect ClueBox(int side, int line, int slot) const;

    // Rectangle of the block of cells between two corners (either order) in the coordinates of
    // the picture pane scrolled to (sx, sy).
    Rect GetCellRect(int x1, int y1, int x2, int y2, int sx = 0, int sy = 0) const;

    // The region of a layout point. The corner pane never hits anything.
    ViewRegion ClassifyPoint(int x, int y, Pane pane = PicturePane) const;

    // Picture column (row) under layout x (y); values outside 0..W-1 for points off the grid.
    int PictureColumnAt(int x) const;
    int PictureRowAt(int y) const;

  private:
    int PictureIndexAt(int p) const;

    int w_;
    int h_;
    int c_;
    bool bold_;
};

// (used row slots, used column slots): 1 + the largest slot holding a number in any row clue
// line (0 when none), the same over the column clue lines.
std::pair<int, int> GetUsedClueDepth(const PuzzleModel& model);

// What a pane looks like at the moment: client size, scroll position and scroll size.
struct PaneView {
    PixelSize client;
    PixelPoint scroll;
    PixelSize scrollSize;
};

// The scroll size of a pane. One empty slot is shown beyond the last used one so that a new
// number can be typed there, unless the clue area is full. The picture side shows the grid
// plus two cells of margin for the graduation numbers.
PixelSize ComputeScrollSize(Pane pane, const LayoutGeometry& geometry,
                            std::pair<int, int> usedDepth);

// The layout point shown at pane point (px, py). The clue panes draw their used part against
// the picture side when the pane is larger than its content.
PixelPoint PaneToLayout(Pane pane, const LayoutGeometry& geometry, const PaneView& view, int px,
                        int py);

// The layout rectangle a pane's client area shows; a pane paints it with LayoutCanvas::Paint.
Rect PaneLayoutWindow(Pane pane, const LayoutGeometry& geometry, const PaneView& view);

// Where a clue pane scrolls at first so that the slots next to the picture are visible; other
// panes keep their position.
PixelPoint AlignClueScroll(Pane pane, const PaneView& view);

struct HitResult {
    int x = -1;
    int y = -1;
    ViewRegion region = RegionNone;
    friend bool operator==(const HitResult&, const HitResult&) = default;
};

// The cell or clue slot under a pane point. In a clue region the index across the clue area is
// the slot, counted from the picture outwards. Off the layout there is no hit, except while a
// straight line or a selection drag follows the mouse (dragFollowsMouse): then the picture
// formulas are used everywhere, giving indices outside the picture that the caller clips.
HitResult HitTest(Pane pane, const LayoutGeometry& geometry, const PaneView& view, int px, int py,
                  bool dragFollowsMouse = false);

}  // namespace tessemar
