#pragma once

#include "core/images/Surface.h"

namespace tessemar {

// The logo images built into the program, by number: 220 (the name, for the splash window and
// the About box) and 222 (the wallpaper tile).
inline constexpr int kLogoBanner = 220;
inline constexpr int kLogoWallpaperTile = 222;

// Loads logo image id into surface; false when there is no such image.
bool LoadLogoResource(Surface& surface, int id);

}  // namespace tessemar
