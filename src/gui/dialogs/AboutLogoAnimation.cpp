#include "gui/dialogs/AboutLogoAnimation.h"

#include <algorithm>

namespace tessemar {
namespace {

struct Point {
    int x, y;
};

// The octagon's corners in the order the shadow visits them.
constexpr int kHalf = ShadowOrbit::kRadius / 2;
constexpr Point kCorners[] = {
    {ShadowOrbit::kRadius, kHalf},   {kHalf, ShadowOrbit::kRadius},
    {-kHalf, ShadowOrbit::kRadius},  {-ShadowOrbit::kRadius, kHalf},
    {-ShadowOrbit::kRadius, -kHalf}, {-kHalf, -ShadowOrbit::kRadius},
    {kHalf, -ShadowOrbit::kRadius},  {ShadowOrbit::kRadius, -kHalf},
};

int Sign(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace

void LogoColorCycle::Tick() {
    int& value = channels_[channel_];
    const int next = value + step_;
    if (next >= 0 && next <= 255) {
        value = next;
        return;
    }
    value = std::clamp(next, 0, 255);
    channel_ = (channel_ + 1) % 3;
    if (channel_ == 0)
        step_ = -step_;
}

void ShadowOrbit::Tick() {
    const Point& target = kCorners[corner_];
    x_ += Sign(target.x - x_);
    y_ += Sign(target.y - y_);
    if (x_ == target.x && y_ == target.y)
        corner_ = (corner_ + 1) % static_cast<int>(std::size(kCorners));
}

}  // namespace tessemar
