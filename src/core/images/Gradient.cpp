#include "core/images/Gradient.h"

#include <algorithm>
#include <vector>

namespace tessemar {

GradientColor GradientStepColor(GradientColor from, GradientColor to, int i, int n) {
    GradientColor out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        const int c = a + (i * (b - a)) / (n - 1);
        out |= static_cast<GradientColor>(c) << shift;
    }
    return out;
}

void FillGradient(Surface& surface, const Rect& rect, GradientColor from, GradientColor to,
                  int direction) {
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 1 || h <= 1)
        return;
    if (from == to) {
        surface.Fill(rect, PixelOfColor(from));
        return;
    }
    const Rect r = rect.Intersect(surface.Clip());
    if (r.IsEmpty())
        return;
    if (direction == GradientLeftToRight) {
        // One row holds every step; the other rows are copies of it.
        std::vector<Pixel> row(static_cast<std::size_t>(r.Width()));
        for (int x = r.left; x < r.right; ++x) {
            row[static_cast<std::size_t>(x - r.left)] =
                PixelOfColor(GradientStepColor(from, to, x - rect.left, w));
        }
        for (int y = r.top; y < r.bottom; ++y)
            std::copy(row.begin(), row.end(), surface.Row(y) + r.left);
    } else {
        for (int y = r.top; y < r.bottom; ++y) {
            const Pixel p = PixelOfColor(GradientStepColor(from, to, y - rect.top, h));
            std::fill(surface.Row(y) + r.left, surface.Row(y) + r.right, p);
        }
    }
}

}  // namespace tessemar
