#include "core/images/Surface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tessemar {
namespace {

Surface Make(int width, int height, Pixel fill) {
    Surface s;
    EXPECT_TRUE(s.Create(width, height));
    s.Fill(Rect{0, 0, width, height}, fill);
    return s;
}

// A surface whose every pixel tells its own position.
Surface Numbered(int width, int height, int alpha = 255) {
    Surface s;
    EXPECT_TRUE(s.Create(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            s.Row(y)[x] = MakePixel(x, y, 7, alpha);
    }
    return s;
}

TEST(SurfaceTest, CreationNeedsASaneSize) {
    struct Case {
        int width, height;
        bool ok;
    } cases[] = {{1, 1, true},
                 {0, 5, false},
                 {5, 0, false},
                 {8192, 8192, true},
                 {8192, 8193, false},
                 {0x7FFFFFFF, 0x7FFFFFFF, false}};
    for (const Case& c : cases) {
        Surface s;
        EXPECT_EQ(s.Create(c.width, c.height), c.ok) << c.width << "x" << c.height;
        EXPECT_EQ(s.IsCreated(), c.ok);
    }
}

TEST(SurfaceTest, PixelBytesAreBlueGreenRedAlphaInMemory) {
    Surface s;
    ASSERT_TRUE(s.Create(1, 1));
    s.Row(0)[0] = MakePixel(0x11, 0x22, 0x33, 0x44);
    EXPECT_EQ(std::memcmp(s.Data(), "\x33\x22\x11\x44", 4), 0);
}

// The blend of one channel as the weights define it, computed the slow way.
int ReferenceBlend(int source, int destination, int alpha) {
    const int ws = alpha == 255 ? 256 : alpha;
    const int wd = alpha == 0 ? 256 : 255 - alpha;
    return std::min(255, source * ws / 256 + destination * wd / 256);
}

TEST(SurfaceTest, BlendMatchesTheWeightsForEveryAlpha) {
    const int values[] = {0, 1, 17, 128, 200, 254, 255};
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int s : values) {
            for (int d : values) {
                const Pixel src = MakePixel(s, 255 - s, d, alpha);
                const Pixel dst = MakePixel(d, s, 255 - d, 0x5A);
                const Pixel out = BlendPixel(dst, src);
                ASSERT_EQ(PixelRed(out), ReferenceBlend(s, d, alpha))
                    << alpha << " " << s << " " << d;
                ASSERT_EQ(PixelGreen(out), ReferenceBlend(255 - s, s, alpha)) << alpha;
                ASSERT_EQ(PixelBlue(out), ReferenceBlend(d, 255 - d, alpha)) << alpha;
                ASSERT_EQ(PixelAlpha(out), 0x5A) << "the destination keeps its alpha";
            }
        }
    }
}

// The blit blends several pixels at once; each must come out as the single-pixel blend does.
TEST(SurfaceTest, BlendBlitAgreesWithThePixelBlendEverywhere) {
    for (int width : {1, 3, 4, 7, 259}) {
        Surface src, dst;
        ASSERT_TRUE(src.Create(width, 256));
        ASSERT_TRUE(dst.Create(width, 256));
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < width; ++x) {
                src.Row(y)[x] = MakePixel(x * 37 + y, 255 - y, x * 11, (x + y) & 0xFF);
                dst.Row(y)[x] = MakePixel(y, x * 5, 255 - x, x * 3 + y);
            }
        }
        const Surface before = dst;
        Blit(dst, 0, 0, src, BlitMode::Blend);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(dst.At(x, y), BlendPixel(before.At(x, y), src.At(x, y)))
                    << width << " at " << x << "," << y;
            }
        }
    }
}

TEST(SurfaceTest, BlitsStayInsideTheDestinationClip) {
    struct Case {
        const char* what;
        int x, y;
        Rect clip;
    } cases[] = {
        {"inside", 1, 1, Rect{0, 0, 6, 5}},
        {"hanging over the top-left", -2, -1, Rect{0, 0, 6, 5}},
        {"hanging over the bottom-right", 4, 3, Rect{0, 0, 6, 5}},
        {"narrowed clip", 0, 0, Rect{1, 1, 3, 4}},
        {"outside entirely", 7, 0, Rect{0, 0, 6, 5}},
    };
    const Pixel background = MakePixel(9, 9, 9);
    for (BlitMode mode : {BlitMode::Copy, BlitMode::ColorKey, BlitMode::Blend}) {
        for (const Case& c : cases) {
            Surface dst = Make(6, 5, background);
            dst.SetClip(c.clip);
            Surface src = Numbered(4, 3);
            // Only the colour-key blit leaves out source pixel (1, 1).
            src.SetColorKey(src.At(1, 1));
            Blit(dst, c.x, c.y, src, mode);
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 6; ++x) {
                    const bool covered =
                        c.clip.Contains(x, y) && x >= c.x && x < c.x + 4 && y >= c.y && y < c.y + 3;
                    const bool keyed = mode == BlitMode::ColorKey && x == c.x + 1 && y == c.y + 1;
                    const Pixel expected =
                        covered && !keyed ? src.At(x - c.x, y - c.y) : background;
                    ASSERT_EQ(dst.At(x, y), expected)
                        << c.what << " mode " << static_cast<int>(mode) << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(SurfaceTest, AddColorSaturatesEachChannelInsideTheClip) {
    Surface s = Make(2, 1, MakePixel(250, 10, 128, 77));
    s.SetClip(Rect{0, 0, 1, 1});
    s.AddColor(32, -20, 18);
    EXPECT_EQ(s.At(0, 0), MakePixel(255, 0, 146, 77));
    EXPECT_EQ(s.At(1, 0), MakePixel(250, 10, 128, 77));
}

TEST(SurfaceTest, ClipIsClampedToTheSurfaceAndFillStaysInside) {
    Surface s = Make(4, 4, 0);
    s.SetClip(Rect{-3, 2, 2, 99});
    EXPECT_EQ(s.Clip(), (Rect{0, 2, 2, 4}));
    s.Fill(Rect{1, 0, 4, 4}, 0xFFFFFFFF);
    EXPECT_EQ(s.At(1, 2), 0xFFFFFFFFu);
    EXPECT_EQ(s.At(1, 1), 0u);
    EXPECT_EQ(s.At(2, 2), 0u);
}

}  // namespace
}  // namespace tessemar
