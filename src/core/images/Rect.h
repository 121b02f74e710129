#pragma once

#include <algorithm>

namespace tessemar {

// A rectangle given by its left-top corner (inclusive) and right-bottom corner (exclusive), in
// pixels: of a surface, or of the layout drawing of a puzzle sheet.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    // The common part; any empty result is the zero rectangle.
    Rect Intersect(const Rect& other) const {
        const Rect r{std::max(left, other.left), std::max(top, other.top),
                     std::min(right, other.right), std::min(bottom, other.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    bool Intersects(const Rect& other) const { return !Intersect(other).IsEmpty(); }
    bool operator==(const Rect&) const = default;
};

}  // namespace tessemar
