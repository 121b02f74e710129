#include "render/ViewGeometry.h"

#include "core/document/PuzzleModel.h"

#include <algorithm>

namespace tessemar {

LayoutGeometry::LayoutGeometry(int columnCount, int rowCount, int cellSize, bool boldLine)
    : w_(std::clamp(columnCount, 1, kMaxLines)),
      h_(std::clamp(rowCount, 1, kMaxLines)),
      c_(std::clamp(cellSize, kMinCellSize, kMaxCellSize)),
      bold_(boldLine) {}

int LayoutGeometry::LineOffset(int i) const {
    if (i <= 0)
        return 0;
    // Line i sits just before cell i; the cell offset already counts line i's own width.
    return CellOffset(i - 1) + c_ - 1;
}

int LayoutGeometry::LineWidth(int i, int n) const {
    if (i == 0 || i == n)
        return 3;
    if (i % 10 == 0 && bold_)
        return 3;
    if (i % 5 == 0)
        return 2;
    return 1;
}

int LayoutGeometry::GridSpan(int n) const {
    return LineOffset(n) + 3;
}

PixelSize LayoutGeometry::GetLayoutExtent() const {
    return {clueAreaWidth() + GridSpan(w_), clueAreaHeight() + GridSpan(h_)};
}

PixelSize LayoutGeometry::BitmapSize() const {
    PixelSize extent = GetLayoutExtent();
    return {extent.cx + 2 * c_, extent.cy + 2 * c_};
}

Rect LayoutGeometry::CellInterior(int x, int y) const {
    int left = CellLeft(x);
    int top = CellTop(y);
    return {left, top, left + c_ - 1, top + c_ - 1};
}

Rect LayoutGeometry::ClueBox(int side, int line, int slot) const {
    int left;
    int top;
    if (side == 1) {
        left = clueAreaWidth() - (slot + 1) * c_ + 2;
        top = CellTop(line) + 1;
    } else {
        left = CellLeft(line) + 1;
        top = clueAreaHeight() - (slot + 1) * c_ + 2;
    }
    return {left, top, left + c_ - 2, top + c_ - 2};
}

Rect LayoutGeometry::GetCellRect(int x1, int y1, int x2, int y2, int sx, int sy) const {
    int x = std::min(x1, x2);
    int X = std::max(x1, x2);
    int y = std::min(y1, y2);
    int Y = std::max(y1, y2);
    return {CellOffset(x) - sx, CellOffset(y) - sy, CellOffset(X) + c_ - 1 - sx,
            CellOffset(Y) + c_ - 1 - sy};
}

ViewRegion LayoutGeometry::ClassifyPoint(int x, int y, Pane pane) const {
    PixelSize extent = GetLayoutExtent();
    if (pane == CornerPane || x < 0 || y < 0 || x >= extent.cx || y >= extent.cy)
        return RegionNone;
    if (x < clueAreaWidth())
        return RegionRowClues;
    if (y < clueAreaHeight())
        return RegionColumnClues;
    return RegionPicture;
}

int LayoutGeometry::PictureIndexAt(int p) const {
    // Undo the extra pixels of the tenth and fifth lines, then divide by the pitch. The
    // divisions truncate toward zero, so the pixels just before the grid give index 0.
    p -= 3;
    if (bold_)
        p -= p / (10 * c_ + 3);
    p -= p / (5 * c_ + 1);
    return p / c_;
}

int LayoutGeometry::PictureColumnAt(int x) const {
    return PictureIndexAt(x - clueAreaWidth());
}
int LayoutGeometry::PictureRowAt(int y) const {
    return PictureIndexAt(y - clueAreaHeight());
}

std::pair<int, int> GetUsedClueDepth(const PuzzleModel& model) {
    int w = std::clamp(model.columnCount, 1, kMaxLines);
    int h = std::clamp(model.rowCount, 1, kMaxLines);
    int rows = 0;
    for (int y = 0; y < h; ++y) {
        for (int k = w - 1; k >= rows; --k) {
            if (model.rowClueNumbers[k][y] != kEmptySlot) {
                rows = k + 1;
                break;
            }
        }
    }
    int columns = 0;
    for (int x = 0; x < w; ++x) {
        for (int k = h - 1; k >= columns; --k) {
            if (model.columnClueNumbers[x][k] != kEmptySlot) {
                columns = k + 1;
                break;
            }
        }
    }
    return {rows, columns};
}

PixelSize ComputeScrollSize(Pane pane, const LayoutGeometry& geometry,
                            std::pair<int, int> usedDepth) {
    auto [r, k] = usedDepth;
    if (r < geometry.columnCount())
        ++r;
    if (k < geometry.rowCount())
        ++k;
    int c = geometry.cellSize();
    PixelSize extent = geometry.GetLayoutExtent();
    PixelSize size;
    size.cy = PaneRow(pane) == 0 ? k * c + 1 : 2 * c - geometry.clueAreaHeight() + extent.cy;
    size.cx = PaneColumn(pane) == 0 ? r * c + 1 : 2 * c - geometry.clueAreaWidth() + extent.cx;
    return size;
}

PixelPoint PaneToLayout(Pane pane, const LayoutGeometry& geometry, const PaneView& view, int px,
                        int py) {
    int x = px + view.scroll.x;
    int y = py + view.scroll.y;
    if (pane == CornerPane)
        return {x, y};
    if (pane == RowCluePane) {
        x += -std::max(0, view.client.cx - view.scrollSize.cx) + geometry.clueAreaWidth() -
             view.scrollSize.cx;
    } else {
        x += geometry.clueAreaWidth();
    }
    if (pane == ColumnCluePane) {
        y += -std::max(0, view.client.cy - view.scrollSize.cy) + geometry.clueAreaHeight() -
             view.scrollSize.cy;
    } else {
        y += geometry.clueAreaHeight();
    }
    return {x, y};
}

Rect PaneLayoutWindow(Pane pane, const LayoutGeometry& geometry, const PaneView& view) {
    PixelPoint origin = PaneToLayout(pane, geometry, view, 0, 0);
    return {origin.x, origin.y, origin.x + view.client.cx, origin.y + view.client.cy};
}

PixelPoint AlignClueScroll(Pane pane, const PaneView& view) {
    PixelPoint scroll = view.scroll;
    if (pane == ColumnCluePane && view.scrollSize.cy > view.client.cy) {
        scroll.y = view.scrollSize.cy - view.client.cy;
    } else if (pane == RowCluePane && view.scrollSize.cx > view.client.cx) {
        scroll.x = view.scrollSize.cx - view.client.cx;
    }
    return scroll;
}

HitResult HitTest(Pane pane, const LayoutGeometry& geometry, const PaneView& view, int px, int py,
                  bool dragFollowsMouse) {
    PixelPoint p = PaneToLayout(pane, geometry, view, px, py);
    HitResult hit;
    hit.region = geometry.ClassifyPoint(p.x, p.y, pane);
    if (hit.region == RegionNone && !dragFollowsMouse)
        return hit;
    int c = geometry.cellSize();
    if ((hit.region & 1) != 0 && !dragFollowsMouse) {
        hit.x = (geometry.clueAreaWidth() - p.x) / c;
    } else {
        hit.x = geometry.PictureColumnAt(p.x);
    }
    if (hit.region == RegionColumnClues && !dragFollowsMouse) {
        hit.y = (geometry.clueAreaHeight() - p.y) / c;
    } else {
        hit.y = geometry.PictureRowAt(p.y);
    }
    return hit;
}

}  // namespace tessemar
