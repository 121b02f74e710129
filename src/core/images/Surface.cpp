#include "core/images/Surface.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessemar {

bool Surface::Create(int width, int height) {
    Release();
    if (width < 1 || height < 1)
        return false;
    if (static_cast<std::int64_t>(width) * height > kMaxSurfacePixels)
        return false;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    width_ = width;
    height_ = height;
    clip_ = Rect{0, 0, width, height};
    return true;
}

void Surface::Release() {
    std::vector<Pixel>().swap(pixels_);
    width_ = 0;
    height_ = 0;
    clip_ = Rect{};
    colorKey_ = 0;
    hasAlpha_ = false;
    loaded_ = false;
}

void Surface::SetClip(const Rect& clip) {
    clip_ = clip.Intersect(Rect{0, 0, width_, height_});
}

void Surface::TakeColorKeyFromCorner() {
    if (IsCreated() && clip_.Contains(0, 0))
        SetColorKey(At(0, 0));
}

void Surface::Fill(const Rect& rect, Pixel color) {
    const Rect r = rect.Intersect(clip_);
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill(Row(y) + r.left, Row(y) + r.right, color);
    }
}

void Surface::AddColor(int red, int green, int blue) {
    auto add = [](int channel, int delta) { return std::clamp(channel + delta, 0, 255); };
    for (int y = clip_.top; y < clip_.bottom; ++y) {
        Pixel* row = Row(y);
        for (int x = clip_.left; x < clip_.right; ++x) {
            const Pixel p = row[x];
            row[x] = MakePixel(add(PixelRed(p), red), add(PixelGreen(p), green),
                               add(PixelBlue(p), blue), PixelAlpha(p));
        }
    }
}

Pixel BlendPixel(Pixel d, Pixel s) {
    const std::uint32_t a = s >> 24;
    const std::uint32_t ws = a == 255 ? 256 : a;
    const std::uint32_t wd = a == 0 ? 256 : 255 - a;
    // Red and blue travel together in one word and green with alpha in another: each lane has
    // 16 bits, enough for a channel times a weight of at most 256.
    std::uint32_t rb =
        (((s & 0x00FF00FF) * ws) >> 8 & 0x00FF00FF) + (((d & 0x00FF00FF) * wd) >> 8 & 0x00FF00FF);
    std::uint32_t g = ((((s >> 8) & 0xFF) * ws) >> 8) + ((((d >> 8) & 0xFF) * wd) >> 8);
    // Saturate: a lane that carried into bit 8 becomes 255.
    const std::uint32_t carry = rb & 0x01000100;
    rb = (rb | ((carry >> 8) * 0xFF)) & 0x00FF00FF;
    if (g > 255)
        g = 255;
    return (d & 0xFF000000) | rb | (g << 8);
}

namespace {

// Blends count source pixels onto the destination. With SSE2 four pixels go at once: their
// channels widen to 16 bits, where a channel times a weight of at most 256 still fits, and the
// saturating pack back to bytes gives the clamp at 255 for nothing.
void BlendRow(Pixel* dst, const Pixel* src, int count) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi32(255);
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i a = _mm_srli_epi32(s, 24);
        // ws = a, or 256 for 255; wd = 255 - a, or 256 for 0 (a comparison gives -1 where true).
        const __m128i ws = _mm_sub_epi32(a, _mm_cmpeq_epi32(a, full));
        const __m128i wd = _mm_sub_epi32(_mm_sub_epi32(full, a), _mm_cmpeq_epi32(a, zero));
        // Each weight into all four 16-bit channel lanes of its pixel.
        const __m128i ws2 = _mm_or_si128(ws, _mm_slli_epi32(ws, 16));
        const __m128i wd2 = _mm_or_si128(wd, _mm_slli_epi32(wd, 16));
        const __m128i wsLow = _mm_unpacklo_epi32(ws2, ws2), wsHigh = _mm_unpackhi_epi32(ws2, ws2);
        const __m128i wdLow = _mm_unpacklo_epi32(wd2, wd2), wdHigh = _mm_unpackhi_epi32(wd2, wd2);
        const __m128i low =
            _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), wsLow), 8),
                          _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), wdLow), 8));
        const __m128i high =
            _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), wsHigh), 8),
                          _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), wdHigh), 8));
        const __m128i blended = _mm_packus_epi16(low, high);
        const __m128i out =
            _mm_or_si128(_mm_andnot_si128(alphaMask, blended), _mm_and_si128(alphaMask, d));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t a = src[i] >> 24;
        // Fully transparent and fully opaque pixels weigh 256 on one side and 0 on the other:
        // the weights give back one side exactly.
        if (a == 255) {
            dst[i] = (dst[i] & 0xFF000000) | (src[i] & 0xFFFFFF);
        } else if (a != 0) {
            dst[i] = BlendPixel(dst[i], src[i]);
        }
    }
}

// Draws one row segment; the source and destination spans have the same length.
inline void BlitRow(Pixel* dst, const Pixel* src, int count, BlitMode mode, std::uint32_t key) {
    switch (mode) {
        case BlitMode::Copy:
            std::copy(src, src + count, dst);
            break;
        case BlitMode::ColorKey:
            for (int i = 0; i < count; ++i) {
                if ((src[i] & 0xFFFFFF) != key)
                    dst[i] = src[i];
            }
            break;
        case BlitMode::Blend:
            BlendRow(dst, src, count);
            break;
    }
}

}  // namespace

void Blit(Surface& dst, int x, int y, const Surface& src, BlitMode mode) {
    if (!dst.IsCreated() || !src.IsCreated())
        return;
    const Rect target = Rect{x, y, x + src.Width(), y + src.Height()}.Intersect(dst.Clip());
    if (target.IsEmpty())
        return;
    for (int ty = target.top; ty < target.bottom; ++ty) {
        BlitRow(dst.Row(ty) + target.left, src.Row(ty - y) + (target.left - x), target.Width(),
                mode, src.ColorKey());
    }
}

}  // namespace tessemar
