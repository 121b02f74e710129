#pragma once

#include "core/images/Rect.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessemar {

// The pixel bytes of a surface are blue, green, red, alpha in memory; held as 32-bit values
// that is 0xAARRGGBB on the little-endian machines we build for.
static_assert(std::endian::native == std::endian::little,
              "surfaces assume a little-endian machine");

using Pixel = std::uint32_t;

constexpr Pixel MakePixel(int red, int green, int blue, int alpha = 255) {
    return (static_cast<Pixel>(alpha & 0xFF) << 24) | (static_cast<Pixel>(red & 0xFF) << 16) |
           (static_cast<Pixel>(green & 0xFF) << 8) | static_cast<Pixel>(blue & 0xFF);
}
constexpr int PixelRed(Pixel p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
constexpr int PixelGreen(Pixel p) {
    return static_cast<int>((p >> 8) & 0xFF);
}
constexpr int PixelBlue(Pixel p) {
    return static_cast<int>(p & 0xFF);
}
constexpr int PixelAlpha(Pixel p) {
    return static_cast<int>(p >> 24);
}

// The largest picture any loader accepts. Sizes come from file headers, so without a bound a
// forged header of a few bytes could ask for gigabytes.
inline constexpr std::int64_t kMaxSurfacePixels = 64LL * 1024 * 1024;

// A 32-bit drawing surface: rows from top to bottom, each directly after the previous one
// (pitch = width x 4 bytes), with a clip rectangle that bounds every drawing operation, a
// transparent colour key (24 bits), and flags telling whether the pixels carry alpha and
// whether an image has been loaded into it.
class Surface {
  public:
    Surface() = default;

    // Allocates a width x height surface with all pixels zero. Fails (and leaves the surface
    // empty) for a width or height below 1 or beyond kMaxSurfacePixels.
    bool Create(int width, int height);
    // Drops the pixels and resets every flag.
    void Release();

    bool IsCreated() const { return !pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Pitch() const { return static_cast<std::size_t>(width_) * 4; }
    Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }
    std::size_t ByteSize() const { return pixels_.size() * 4; }
    Pixel At(int x, int y) const { return Row(y)[x]; }

    const Rect& Clip() const { return clip_; }
    // The clip is kept inside the surface.
    void SetClip(const Rect& clip);
    void ResetClip() { clip_ = Rect{0, 0, width_, height_}; }

    std::uint32_t ColorKey() const { return colorKey_; }
    void SetColorKey(std::uint32_t key) { colorKey_ = key & 0xFFFFFF; }
    // The colour of pixel (0, 0) becomes the colour key, when the clip allows that pixel.
    void TakeColorKeyFromCorner();

    bool HasAlpha() const { return hasAlpha_; }
    void SetHasAlpha(bool on) { hasAlpha_ = on; }
    bool IsLoaded() const { return loaded_; }
    void SetLoaded(bool on) { loaded_ = on; }

    // Fills the part of rect inside the clip rectangle.
    void Fill(const Rect& rect, Pixel color);
    // Adds a constant to every colour channel of the pixels inside the clip, saturating at
    // 0 and 255 per channel; alpha is kept.
    void AddColor(int red, int green, int blue);

  private:
    std::vector<Pixel> pixels_;
    int width_ = 0;
    int height_ = 0;
    Rect clip_;
    std::uint32_t colorKey_ = 0;
    bool hasAlpha_ = false;
    bool loaded_ = false;
};

// How a source surface is drawn onto a destination.
enum class BlitMode {
    Copy,      // the source pixels replace the destination's
    ColorKey,  // like Copy, but source pixels of the source's colour key are left out
    Blend,     // alpha blending by the source alpha
};

// Draws src onto dst with its top-left corner at (x, y), clipped to dst's clip rectangle.
void Blit(Surface& dst, int x, int y, const Surface& src, BlitMode mode);

// One pixel of the alpha blend. The source weighs a (256 when a is 255) and the destination
// 255 - a (256 when a is 0), each channel saturating at 255; the destination alpha stays.
Pixel BlendPixel(Pixel destination, Pixel source);

}  // namespace tessemar
