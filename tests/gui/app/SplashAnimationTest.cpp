#include "gui/app/SplashAnimation.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

constexpr Pixel kWhite = MakePixel(255, 255, 255);

Surface BlackLogo() {
    Surface logo;
    logo.Create(4, 2);
    logo.Fill(Rect{0, 0, 4, 2}, MakePixel(0, 0, 0, 255));
    logo.SetHasAlpha(true);
    logo.SetLoaded(true);
    return logo;
}

// Where the logo's top-left corner lands when centred.
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

// Worked by hand: ticks 1 to 8 slide the logo in from 14 pixels up and left, two pixels a tick,
// lightened by 224, then 32 less a tick; ticks 9 to 24 leave it in place and move a shadow out
// two pixels a tick, (32, 18, 16) lighter each tick until it is white.
TEST(SplashAnimationTest, LogoSlidesAndFadesInThenItsShadowMovesOutAndFades) {
    struct Frame {
        int tick, logoShift, grey, shadowShift;
        Pixel shadow;
    };
    const Frame frames[] = {
        {1, -14, 224, 0, 0},
        {8, 0, 0, 0, 0},
        {9, 0, 0, 2, MakePixel(32, 18, 16)},
        {16, 0, 0, 16, MakePixel(255, 144, 128)},
        {24, 0, 0, 32, kWhite},
    };
    SplashAnimation animation(BlackLogo());
    int tick = 0;
    for (const Frame& f : frames) {
        for (; tick < f.tick; ++tick)
            ASSERT_TRUE(animation.Tick());
        const Surface& canvas = animation.Canvas();
        const Pixel grey = MakePixel(f.grey, f.grey, f.grey) & 0xFFFFFF;
        const int x = kCentreX + f.logoShift, y = kCentreY + f.logoShift;
        EXPECT_EQ(canvas.At(x, y) & 0xFFFFFF, grey) << "tick " << f.tick;
        EXPECT_EQ(canvas.At(x + 3, y + 1) & 0xFFFFFF, grey) << "tick " << f.tick;
        if (f.shadowShift == 0) {
            // Only the logo is drawn: the previous tick's picture is gone.
            EXPECT_EQ(CountNonWhite(canvas), 8) << "tick " << f.tick;
        } else {
            const int at = f.shadowShift;
            EXPECT_EQ(canvas.At(kCentreX + at + 3, kCentreY + at + 1) & 0xFFFFFF, f.shadow & 0xFFFFFF)
                << "tick " << f.tick;
        }
    }
    // Below zero the last picture stays.
    const int last = CountNonWhite(animation.Canvas());
    ASSERT_TRUE(animation.Tick());
    EXPECT_EQ(CountNonWhite(animation.Canvas()), last);
}

TEST(SplashAnimationTest, EndsOnceTheCounterFallsBelowMinusFifty) {
    SplashAnimation animation(BlackLogo());
    int ticks = 1;
    while (animation.Tick())
        ++ticks;
    // Counting down from 23 to -51 takes 74 ticks; the last one reports the end.
    EXPECT_EQ(ticks, 74);
}

}  // namespace
}  // namespace tessemar
