#pragma once

#include "core/images/Surface.h"

#include <array>

namespace tessemar {

// The logo animation of the splash window, on a 540 x 192 surface.
//
// A counter starts at 23 and drops by one per tick. From 23 to 16 the logo fades in from
// white while sliding into place: frame (counter - 16) is drawn, each frame 32 brighter per
// colour channel than the one before, shifted up and left by 2 x (16 - counter) pixels. From
// 15 to 0 a shadow of the logo, 32/18/16 brighter in red/green/blue each tick, moves away to
// the lower right by 2 x (16 - counter) pixels under the logo standing in the centre. Below 0
// the picture stays, and below -50 the splash is done.
class SplashAnimation {
  public:
    static constexpr int kWidth = 540;
    static constexpr int kHeight = 192;
    static constexpr int kFirstCounter = 23;
    static constexpr int kLastCounter = -50;
    static constexpr int kFrameCount = 8;

    // Without a loaded logo the surface stays white and only the counter runs.
    explicit SplashAnimation(const Surface& logo);

    // Draws the picture of the current counter, then counts down. False once the counter has
    // fallen below kLastCounter: the splash closes.
    bool Tick();

    int Counter() const { return counter_; }
    const Surface& Canvas() const { return canvas_; }

  private:
    void DrawCentred(const Surface& image, int shift);

    std::array<Surface, kFrameCount> frames_;
    Surface shadow_;
    Surface canvas_;
    bool hasLogo_ = false;
    int counter_ = kFirstCounter;
};

}  // namespace tessemar
