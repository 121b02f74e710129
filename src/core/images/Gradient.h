#pragma once

#include "core/images/Surface.h"

#include <cstdint>

namespace tessemar {

// Colours here are colour references: red in bits 0..7, green 8..15, blue 16..23.
using GradientColor = std::uint32_t;

enum GradientDirection : int {
    GradientLeftToRight = 0,  // one column per step
    GradientTopToBottom = 1,  // one row per step
};

// The colour of step i of n (n >= 2): per channel from + i x (to - from) / (n - 1), the
// division truncating toward zero, so that step 0 is exactly from and step n - 1 exactly to.
GradientColor GradientStepColor(GradientColor from, GradientColor to, int i, int n);

// The surface pixel (opaque) of a colour reference.
constexpr Pixel PixelOfColor(GradientColor c) {
    return MakePixel(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                     static_cast<int>((c >> 16) & 0xFF));
}

// Fills rect with the gradation from one colour to the other, clipped to the surface's clip
// rectangle. Nothing is drawn unless the rectangle is more than 1 pixel wide and high; equal
// colours give a plain fill.
void FillGradient(Surface& surface, const Rect& rect, GradientColor from, GradientColor to,
                  int direction);

}  // namespace tessemar
