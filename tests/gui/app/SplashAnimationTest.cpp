#include "gui/app/SplashAnimation.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

constexpr Pixel kWhite = MakePixel(255, 255, 255);

// A 4 x 2 opaque logo of one colour, so that every drawn pixel tells which frame it is.
Surface Logo(int red, int green, int blue) {
    Surface logo;
    logo.Create(4, 2);
    logo.Fill(Rect{0, 0, 4, 2}, MakePixel(red, green, blue, 255));
    logo.SetHasAlpha(true);
    logo.SetLoaded(true);
    return logo;
}

// Where the logo's top-left corner lands when centred and shifted.
constexpr int kCentreX = (SplashAnimation::kWidth - 4) / 2;
constexpr int kCentreY = (SplashAnimation::kHeight - 2) / 2;

int CountNonWhite(const Surface& canvas) {
    int count = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x)
            count += (canvas.At(x, y) & 0xFFFFFF) != (kWhite & 0xFFFFFF);
    }
    return count;
}

TEST(SplashAnimationTest, FadesInWhileSlidingIntoPlace) {
    SplashAnimation animation(Logo(10, 20, 30));
    for (int counter = 23; counter >= 16; --counter) {
        ASSERT_EQ(animation.Counter(), counter);
        ASSERT_TRUE(animation.Tick());
        const int frame = counter - 16;
        const int shift = 2 * (16 - counter);
        const int level = 32 * frame;
        const Pixel expected = MakePixel(std::min(10 + level, 255), std::min(20 + level, 255),
                                         std::min(30 + level, 255));
        const Surface& canvas = animation.Canvas();
        EXPECT_EQ(canvas.At(kCentreX + shift, kCentreY + shift) & 0xFFFFFF, expected & 0xFFFFFF)
            << counter;
        EXPECT_EQ(canvas.At(kCentreX + shift + 3, kCentreY + shift + 1) & 0xFFFFFF,
                  expected & 0xFFFFFF)
            << counter;
        // Only the logo is drawn: the previous tick's picture is gone.
        EXPECT_EQ(CountNonWhite(canvas), 8) << counter;
    }
}

TEST(SplashAnimationTest, AShadowMovesAwayAndFadesUnderTheStandingLogo) {
    SplashAnimation animation(Logo(0, 0, 0));
    for (int i = 0; i < 8; ++i)
        animation.Tick();
    for (int counter = 15; counter >= 0; --counter) {
        ASSERT_TRUE(animation.Tick());
        const int ticks = 16 - counter;
        const int shift = 2 * ticks;
        const Surface& canvas = animation.Canvas();
        EXPECT_EQ(canvas.At(kCentreX, kCentreY) & 0xFFFFFF, 0u) << counter;
        const Pixel shadow = canvas.At(kCentreX + shift + 3, kCentreY + shift + 1);
        EXPECT_EQ(PixelRed(shadow), std::min(32 * ticks, 255)) << counter;
        EXPECT_EQ(PixelGreen(shadow), std::min(18 * ticks, 255)) << counter;
        EXPECT_EQ(PixelBlue(shadow), std::min(16 * ticks, 255)) << counter;
    }
    // Below zero the last picture stays.
    const Surface last = animation.Canvas();
    ASSERT_TRUE(animation.Tick());
    EXPECT_EQ(CountNonWhite(animation.Canvas()), CountNonWhite(last));
    EXPECT_EQ(animation.Canvas().At(kCentreX, kCentreY), last.At(kCentreX, kCentreY));
}

TEST(SplashAnimationTest, EndsOnceTheCounterFallsBelowMinusFifty) {
    for (bool withLogo : {true, false}) {
        SplashAnimation animation(withLogo ? Logo(0, 0, 0) : Surface());
        int ticks = 1;
        while (animation.Tick())
            ++ticks;
        // Counting down from 23 to -51 takes 74 ticks; the last one reports the end.
        EXPECT_EQ(ticks, 74);
        EXPECT_EQ(animation.Counter(), -51);
        if (!withLogo) {
            EXPECT_EQ(CountNonWhite(animation.Canvas()), 0);
        }
    }
}

}  // namespace
}  // namespace tessemar
