#include "core/images/Gradient.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

constexpr GradientColor Rgb(int r, int g, int b) {
    return static_cast<GradientColor>(r | (g << 8) | (b << 16));
}

// Each case lists every step from the first colour to the last.
TEST(GradientTest, StepsTruncateTowardZero) {
    const std::vector<GradientColor> cases[] = {
        {Rgb(0, 0, 0), Rgb(85, 3, 0), Rgb(170, 6, 0), Rgb(255, 10, 0)},
        // Falling channels: 10 - 10/3 is 7, where rounding down would give 6.
        {Rgb(10, 255, 7), Rgb(7, 170, 7), Rgb(4, 85, 7), Rgb(0, 0, 7)},
    };
    for (const auto& steps : cases) {
        const int n = static_cast<int>(steps.size());
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(GradientStepColor(steps.front(), steps.back(), i, n),
                      steps[static_cast<std::size_t>(i)])
                << i;
        }
    }
}

TEST(GradientTest, FillsColumnsOrRowsWithinTheRectangleAndClip) {
    const Pixel untouched = MakePixel(1, 1, 1, 0);
    struct Case {
        const char* what;
        Rect rect;
        GradientColor from, to;
        int direction;
    } cases[] = {
        {"left to right", Rect{1, 1, 5, 3}, Rgb(0, 0, 0), Rgb(255, 30, 9), GradientLeftToRight},
        {"top to bottom", Rect{0, 1, 6, 5}, Rgb(90, 0, 200), Rgb(0, 90, 20), GradientTopToBottom},
        {"one pixel wide draws nothing", Rect{2, 0, 3, 6}, Rgb(0, 0, 0), Rgb(255, 255, 255),
         GradientTopToBottom},
        {"one pixel high draws nothing", Rect{0, 2, 6, 3}, Rgb(0, 0, 0), Rgb(255, 255, 255),
         GradientLeftToRight},
        {"equal colours fill", Rect{1, 1, 4, 4}, Rgb(7, 8, 9), Rgb(7, 8, 9), GradientLeftToRight},
        {"hanging over the surface", Rect{-4, -2, 4, 9}, Rgb(0, 0, 0), Rgb(80, 160, 240),
         GradientLeftToRight},
    };
    for (const Case& c : cases) {
        Surface s;
        ASSERT_TRUE(s.Create(6, 6));
        s.Fill(Rect{0, 0, 6, 6}, untouched);
        FillGradient(s, c.rect, c.from, c.to, c.direction);
        const bool draws = c.rect.Width() > 1 && c.rect.Height() > 1;
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                Pixel expected = untouched;
                if (draws && c.rect.Contains(x, y)) {
                    const bool across = c.direction == GradientLeftToRight;
                    expected = PixelOfColor(
                        GradientStepColor(c.from, c.to, across ? x - c.rect.left : y - c.rect.top,
                                          across ? c.rect.Width() : c.rect.Height()));
                }
                ASSERT_EQ(s.At(x, y), expected) << c.what << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace tessemar
