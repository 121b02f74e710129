#include "core/images/Qga.h"

#include "core/io/ByteOrder.h"
#include "core/images/Lzss.h"

#include <cstring>

namespace tessemar {

int LoadQga(Surface& surface, std::span<const std::uint8_t> bytes) {
    surface.Release();
    if (bytes.size() < kQgaHeaderSize)
        return QgaBadSize;
    const std::uint8_t* h = bytes.data();
    const std::uint32_t width = bytes::U32(h + 4);
    const std::uint32_t height = bytes::U32(h + 8);
    const std::uint32_t packed = bytes::U32(h + 12);
    const std::uint32_t unpackedSize = bytes::U32(h + 16);
    const std::uint32_t storedSize = bytes::U32(h + 20);
    // The header's sizes must agree with each other and with the bytes at hand before anything
    // is allocated: trusting them would let a forged file of a few bytes ask for a huge surface,
    // or write past the pixels, or read past its own end.
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height) > kMaxSurfacePixels) {
        return QgaBadSize;
    }
    const std::uint64_t pixelBytes = std::uint64_t{width} * height * 4;
    const std::span<const std::uint8_t> stored = bytes.subspan(kQgaHeaderSize);
    const bool plausible =
        unpackedSize == pixelBytes && storedSize <= stored.size() &&
        (packed != 0 ? pixelBytes <= LzssMaxUnpackedSize(storedSize) : storedSize >= pixelBytes);
    if (!plausible)
        return QgaBadPixels;
    if (!surface.Create(static_cast<int>(width), static_cast<int>(height)))
        return QgaBadSize;
    const std::span<std::uint8_t> target(reinterpret_cast<std::uint8_t*>(surface.Data()),
                                         surface.ByteSize());
    if (packed != 0) {
        if (!LzssUnpack(stored.first(storedSize), target)) {
            surface.Release();
            return QgaBadPixels;
        }
    } else {
        std::memcpy(target.data(), stored.data(), target.size());
    }
    surface.TakeColorKeyFromCorner();
    surface.SetLoaded(true);
    surface.SetHasAlpha(true);
    return QgaOk;
}

std::vector<std::uint8_t> WriteQga(const Surface& surface, bool packed) {
    const std::span<const std::uint8_t> pixels(
        reinterpret_cast<const std::uint8_t*>(surface.Data()), surface.ByteSize());
    std::vector<std::uint8_t> data =
        packed ? LzssPack(pixels) : std::vector<std::uint8_t>(pixels.begin(), pixels.end());
    std::vector<std::uint8_t> out{'q', 'g', 'a', 0};
    bytes::PutU32(out, static_cast<std::uint32_t>(surface.Width()));
    bytes::PutU32(out, static_cast<std::uint32_t>(surface.Height()));
    bytes::PutU32(out, packed ? 1 : 0);
    bytes::PutU32(out, static_cast<std::uint32_t>(pixels.size()));
    bytes::PutU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace tessemar
