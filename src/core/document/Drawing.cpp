#include "core/document/Drawing.h"

#include "core/document/CLogicDoc.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace tessemar {
namespace {

int PaintValue(MouseButton button, int color) { return button == MouseButton::Left ? color : kCellX; }

// Ends anywhere in the int range make products beyond 64 bits.
__extension__ typedef __int128 Wide;

// The coordinate across the line at a step t along it: the nearest whole cell to
// start + delta * t / length, rounding a tie down (to the upper or left cell).
std::int64_t CrossCoordinate(std::int64_t start, std::int64_t delta, std::int64_t t, std::int64_t length) {
    if (length < 0) {
        length = -length;
        t = -t;
    }
    // ceil((2 * delta * t - length) / (2 * length)) is the rounding with ties going down.
    const Wide numerator = Wide{2} * delta * t - length;
    const Wide denominator = Wide{2} * length;
    const Wide quotient = numerator / denominator;
    const bool roundUp = numerator % denominator != 0 && numerator > 0;
    return start + static_cast<std::int64_t>(quotient) + (roundUp ? 1 : 0);
}

}  // namespace

int DragValue(MouseButton button, int startCell, int color, bool ctrl, bool shift) {
    if (ctrl) return PaintValue(button, color);
    if (shift) return 0;
    return startCell == kCellBlank ? PaintValue(button, color) : 0;
}

int ReleaseValue(MouseButton button, int dragValue, int color, bool ctrl, bool shift) {
    if (ctrl) return PaintValue(button, color);
    if (shift) return 0;
    return dragValue;
}

std::vector<CellPoint> StraightLineCells(int x1, int y1, int x2, int y2, int width, int height) {
    std::vector<CellPoint> cells;
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    // Walk the longer axis, but only over the part of it that lies inside the picture, so that
    // ends far outside cost nothing.
    const std::int64_t a1 = alongX ? x1 : y1;
    const std::int64_t a2 = alongX ? x2 : y2;
    const std::int64_t limit = (alongX ? width : height) - 1;
    const std::int64_t from = std::max<std::int64_t>(std::min(a1, a2), 0);
    const std::int64_t to = std::min<std::int64_t>(std::max(a1, a2), limit);
    if (from > to) return cells;
    cells.reserve(static_cast<std::size_t>(to - from + 1));
    const std::int64_t step = a2 >= a1 ? 1 : -1;
    const std::int64_t first = step > 0 ? from : to;
    for (std::int64_t a = first; a >= from && a <= to; a += step) {
        const std::int64_t length = alongX ? dx : dy;
        const std::int64_t cross = length == 0 ? (alongX ? y1 : x1)
                                               : CrossCoordinate(alongX ? y1 : x1, alongX ? dy : dx, a - a1, length);
        const std::int64_t x = alongX ? a : cross;
        const std::int64_t y = alongX ? cross : a;
        if (x < 0 || y < 0 || x >= width || y >= height) continue;
        cells.push_back({static_cast<int>(x), static_cast<int>(y)});
    }
    return cells;
}

void CLogicDoc::FillRectangle(int x1, int y1, int x2, int y2, int value) {
    const int left = std::max(std::min(x1, x2), 0);
    const int top = std::max(std::min(y1, y2), 0);
    const int right = std::min(std::max(x1, x2), model_.columnCount - 1);
    const int bottom = std::min(std::max(y1, y2), model_.rowCount - 1);
    DocumentEdit edit(*this);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) WriteCell(x, y, value);
    }
    edit.Commit();
}

void CLogicDoc::DrawStraightLine(int x1, int y1, int x2, int y2, int value) {
    DocumentEdit edit(*this);
    for (const CellPoint& cell : StraightLineCells(x1, y1, x2, y2, model_.columnCount, model_.rowCount)) {
        WriteCell(cell.x, cell.y, value);
    }
    edit.Commit();
}

void CLogicDoc::FloodFill(int x, int y, int newValue, int oldValue) {
    if (newValue == oldValue || !IsInPicture(x, y) || model_.cells[x][y] != oldValue) return;
    DocumentEdit edit(*this);
    if (!WriteCell(x, y, newValue)) return;
    // An explicit stack: a whole 250 x 250 area is one fill. Each cell is written as it is
    // pushed, so it is never pushed twice.
    std::vector<CellPoint> stack;
    stack.push_back({x, y});
    const auto visit = [&](int cx, int cy) {
        if (IsInPicture(cx, cy) && model_.cells[cx][cy] == oldValue && WriteCell(cx, cy, newValue)) {
            stack.push_back({cx, cy});
        }
    };
    while (!stack.empty()) {
        const CellPoint cell = stack.back();
        stack.pop_back();
        visit(cell.x - 1, cell.y);
        visit(cell.x, cell.y - 1);
        visit(cell.x + 1, cell.y);
        visit(cell.x, cell.y + 1);
    }
    edit.Commit();
}

void CLogicDoc::PaintFill(int x, int y, MouseButton button, int color) {
    if (!IsInPicture(x, y)) return;
    const int value = model_.cells[x][y];
    if (button == MouseButton::Left) {
        FloodFill(x, y, value == color ? 0 : color, value);
    } else {
        FloodFill(x, y, value == kCellX ? 0 : kCellX, value);
    }
}

}  // namespace tessemar
