#pragma once

#include "core/settings/AppSettings.h"

namespace tessemar {

// The shadow table that the colour dialog's Auto Shadow button makes: the shadow of each of
// colours 1..8 is that colour with 32 taken off every channel (down to 0). The bold line and
// line colours are kept.
ColorTable AutoShadow(const ColorTable& colors, const ColorTable& shadowColors);

}  // namespace tessemar
