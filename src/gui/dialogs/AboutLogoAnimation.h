#pragma once

#include "core/document/Colors.h"

namespace tessemar {

// The colour of the About box's logo: from black, one channel at a time (red, green, blue)
// changes by 5 per tick until it would leave 0..255, where it stops at the end; after the blue
// channel the direction turns. So the logo runs black, red, yellow, white, cyan, blue, black.
class LogoColorCycle {
  public:
    static constexpr int kStep = 5;

    void Tick();
    ColorRef Color() const { return MakeColorRef(channels_[0], channels_[1], channels_[2]); }

  private:
    int channels_[3] = {0, 0, 0};
    int channel_ = 0;
    int step_ = kStep;
};

// The offset of the logo's shadow: one pixel per tick around an octagon of radius 8. Along an
// edge one coordinate moves; from magnitude 4 on the other moves too, and at magnitude 8 the
// moving coordinate changes over.
class ShadowOrbit {
  public:
    static constexpr int kRadius = 8;

    void Tick();
    int X() const { return x_; }
    int Y() const { return y_; }

  private:
    int x_ = kRadius;
    int y_ = 0;
    int corner_ = 0;
};

}  // namespace tessemar
