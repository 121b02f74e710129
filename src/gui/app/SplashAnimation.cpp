#include "gui/app/SplashAnimation.h"

namespace tessemar {

SplashAnimation::SplashAnimation(const Surface& logo) {
    canvas_.Create(kWidth, kHeight);
    canvas_.Fill(Rect{0, 0, kWidth, kHeight}, MakePixel(255, 255, 255));
    hasLogo_ = logo.IsCreated() && logo.IsLoaded();
    if (!hasLogo_)
        return;
    frames_[0] = logo;
    for (int i = 1; i < kFrameCount; ++i) {
        frames_[i] = frames_[i - 1];
        frames_[i].ResetClip();
        frames_[i].AddColor(32, 32, 32);
    }
    shadow_ = logo;
    shadow_.ResetClip();
}

void SplashAnimation::DrawCentred(const Surface& image, int shift) {
    const int x = (kWidth - image.Width()) / 2 + shift;
    const int y = (kHeight - image.Height()) / 2 + shift;
    // Drawn by its alpha values, which give the logo soft edges on the white.
    Blit(canvas_, x, y, image, image.HasAlpha() ? BlitMode::Blend : BlitMode::ColorKey);
}

bool SplashAnimation::Tick() {
    if (counter_ >= 0) {
        canvas_.Fill(Rect{0, 0, kWidth, kHeight}, MakePixel(255, 255, 255));
        if (hasLogo_) {
            const int shift = 2 * (16 - counter_);
            if (counter_ >= 16) {
                DrawCentred(frames_[counter_ - 16], shift);
            } else {
                shadow_.AddColor(32, 18, 16);
                DrawCentred(shadow_, shift);
                DrawCentred(frames_[0], 0);
            }
        }
    }
    --counter_;
    return counter_ >= kLastCounter;
}

}  // namespace tessemar
