#include "core/document/CLogicDoc.h"

#include <algorithm>
#include <cstdint>

namespace tessemar {
namespace {

// How far a fragment may be moved off the picture; further moves are stopped there, so that
// corner arithmetic never overflows.
constexpr int kMoveLimit = 1 << 20;

}  // namespace

std::optional<Fragment> CLogicDoc::CopyRegion(int x1, int y1, int x2, int y2) const {
    const CellRect rect{x1, y1, x2, y2};
    if (rect.Left() < 0 || rect.Top() < 0) return std::nullopt;
    const int right = std::min(rect.Right(), kMaxLines - 1);
    const int bottom = std::min(rect.Bottom(), kMaxLines - 1);
    if (rect.Left() > right || rect.Top() > bottom) return std::nullopt;
    Fragment fragment;
    fragment.width = right - rect.Left() + 1;
    fragment.height = bottom - rect.Top() + 1;
    fragment.cells.reserve(static_cast<std::size_t>(fragment.width) * fragment.height);
    for (int y = rect.Top(); y <= bottom; ++y) {
        for (int x = rect.Left(); x <= right; ++x) fragment.cells.push_back(model_.cells[x][y]);
    }
    return fragment;
}

bool CLogicDoc::LiftSelection(int x1, int y1, int x2, int y2, int backDrawMode) {
    DocumentEdit edit(*this);
    CommitFloatingSelection(backDrawMode);
    std::optional<Fragment> fragment = CopyRegion(x1, y1, x2, y2);
    if (!fragment) {
        edit.Commit();
        return false;
    }
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const CellRect rect{left, top, left + fragment->width - 1, top + fragment->height - 1};
    for (int y = rect.y1; y <= rect.y2; ++y) {
        for (int x = rect.x1; x <= rect.x2; ++x) WriteCell(x, y, kCellBlank);
    }
    FloatFragment(std::move(*fragment), rect);
    edit.Commit();
    return true;
}

void CLogicDoc::FloatFragment(Fragment fragment, const CellRect& rect) {
    floatingSelection_ = std::move(fragment);
    hasFloatingSelection_ = true;
    selectionRect_ = rect;
    NotifySelectionChanged();
}

void CLogicDoc::CommitFloatingSelection(int backDrawMode) {
    // A fragment is dropped whatever the tool: one left floating while another document's
    // view changed the tool would otherwise lose its cells with its pending records.
    if (!hasFloatingSelection_) return;
    DocumentEdit edit(*this);
    hasFloatingSelection_ = false;
    const Fragment& fragment = floatingSelection_;
    const int left = selectionRect_.Left();
    const int top = selectionRect_.Top();
    for (int j = 0; j < fragment.height; ++j) {
        for (int i = 0; i < fragment.width; ++i) {
            const std::int8_t value = fragment.At(i, j);
            if (value == kCellBlank && backDrawMode == 0) continue;  // transparent background
            WriteCell(left + i, top + j, value);
        }
    }
    // The drop closes the entry the lift opened, whatever edit it is part of.
    CloseEntry();
    SetModifiedFlag();
    NotifySelectionChanged();
    edit.Commit();
}

void CLogicDoc::MoveSelection(int dx, int dy) {
    if (!hasFloatingSelection_) return;
    const auto shift = [](int& a, int& b, int by) {
        const std::int64_t from = std::min(a, b);
        const std::int64_t to = std::clamp<std::int64_t>(from + by, -kMoveLimit, kMoveLimit);
        a = static_cast<int>(a + (to - from));
        b = static_cast<int>(b + (to - from));
    };
    shift(selectionRect_.x1, selectionRect_.x2, dx);
    shift(selectionRect_.y1, selectionRect_.y2, dy);
    NotifySelectionChanged();
}

std::string CLogicDoc::EditCopy(int tool, int backDrawMode) {
    if (tool != ToolSelect || !hasFloatingSelection_) SelectAll(backDrawMode);
    return FragmentBytes(floatingSelection_);
}

std::string CLogicDoc::EditCut(int tool, int backDrawMode) {
    DocumentEdit edit(*this);
    std::string bytes = EditCopy(tool, backDrawMode);
    ClearSelection();
    edit.Commit();
    return bytes;
}

bool CLogicDoc::EditPaste(std::string_view bytes, int backDrawMode) {
    std::optional<Fragment> fragment = ParseFragment(bytes);
    if (!fragment) return false;
    CommitFloatingSelection(backDrawMode);
    const CellRect rect{0, 0, fragment->width - 1, fragment->height - 1};
    FloatFragment(std::move(*fragment), rect);
    return true;
}

void CLogicDoc::SelectAll(int backDrawMode) {
    LiftSelection(0, 0, model_.columnCount - 1, model_.rowCount - 1, backDrawMode);
}

void CLogicDoc::DiscardFloatingSelection() {
    if (!hasFloatingSelection_) return;
    hasFloatingSelection_ = false;
    NotifySelectionChanged();
}

void CLogicDoc::ClearSelection() {
    // The lift records become an entry of their own: the area stays blank.
    DocumentEdit edit(*this);
    DiscardFloatingSelection();
    edit.Commit();
}

}  // namespace tessemar
