#pragma once

#include <array>
#include <cstdint>

namespace tessemar {

// A Windows colour reference: red in bits 0..7, green 8..15, blue 16..23.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kMaxColorRef = 0xFFFFFF;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColorRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// The ten colours of each table of a document: group A (background, colours 1..8, X mark) and
// group B (bold line, shadows of colours 1..8, thin line).
using ColorTable = std::array<ColorRef, 10>;

inline constexpr ColorTable kDefaultColors = {16777215, 3158064,  240,      61440,   15728640,
                                              61680,    15790080, 15728880, 6316128, 8421504};
inline constexpr ColorTable kDefaultShadowColors = {0,     1052688,  208,      53248,   13631488,
                                                    53456, 13684736, 13631696, 4210752, 8421504};

// The shadow that goes with a drawing colour: every channel 32 darker, but not below 0.
constexpr ColorRef ShadowOf(ColorRef color) {
    const auto darker = [](int channel) { return channel < 32 ? 0 : channel - 32; };
    return MakeColorRef(darker(RedOf(color)), darker(GreenOf(color)), darker(BlueOf(color)));
}

// The shadow table that the colour dialog's Auto Shadow button makes: the shadows of colours
// 1..8 follow ShadowOf; the bold line and line colours are kept.
constexpr ColorTable AutoShadow(const ColorTable& colors, const ColorTable& shadowColors) {
    ColorTable shadows = shadowColors;
    for (int i = 1; i <= 8; ++i)
        shadows[i] = ShadowOf(colors[i]);
    return shadows;
}

}  // namespace tessemar
