#include "core/images/BitmapFile.h"

#include "core/io/ByteOrder.h"

#include <algorithm>
#include <bit>

namespace tessemar {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;

// One colour channel taken out by a bit mask and scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::countr_one(m >> shift);
            // Of a channel wider than a byte only the top eight bits count.
            if (bits > 8) {
                shift += bits - 8;
                bits = 8;
            }
        }
    }
    int Take(std::uint32_t value) const {
        if (bits == 0)
            return 0;
        const std::uint32_t v = ((value & mask) >> shift) & ((1u << bits) - 1);
        // Repeat the bits to fill eight, so that the largest value becomes 255.
        std::uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += bits)
            out = (out << bits) | v;
        return static_cast<int>(out >> (bits * ((8 + bits - 1) / bits) - 8));
    }
};

class BitmapDecoder : public PictureDecoder {
  public:
    bool Open(std::span<const std::uint8_t> bytes);
    bool GetSize(int& width, int& height) override {
        width = width_;
        height = height_;
        return true;
    }
    bool Draw(Surface& target) override;
    bool HasAlpha() const override { return alpha_.mask != 0; }

  private:
    std::span<const std::uint8_t> bytes_;
    int width_ = 0;
    int height_ = 0;
    bool topDown = false;
    int bitCount_ = 0;
    std::uint64_t bitsOffset_ = 0;
    std::uint64_t stride_ = 0;
    std::vector<Pixel> palette_;
    Channel red_, green_, blue_, alpha_;
};

bool BitmapDecoder::Open(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    bytes_ = bytes;
    const std::uint8_t* p = bytes.data();
    bitsOffset_ = bytes::U32(p + 10);
    const std::uint32_t headerSize = bytes::U32(p + 14);
    std::int64_t width, height;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) {
        width = bytes::U16(p + 18);
        height = bytes::U16(p + 20);
        if (bytes::U16(p + 22) != 1)
            return false;
        bitCount_ = bytes::U16(p + 24);
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= bytes.size() - kFileHeaderSize) {
        width = bytes::I32(p + 18);
        height = bytes::I32(p + 22);
        if (bytes::U16(p + 26) != 1)
            return false;
        bitCount_ = bytes::U16(p + 28);
        compression = bytes::U32(p + 30);
        colorsUsed = bytes::U32(p + 46);
    } else {
        return false;
    }
    if (height < 0) {
        topDown = true;
        height = -height;
    }
    if (width < 1 || height < 1 || width * height > kMaxSurfacePixels)
        return false;
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);

    const std::uint64_t afterHeader = kFileHeaderSize + headerSize;
    switch (bitCount_) {
        case 1:
        case 4:
        case 8: {
            if (compression != kCompressionNone)
                return false;
            const std::uint32_t maxColors = 1u << bitCount_;
            const std::uint32_t colors =
                colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
            if (afterHeader + std::uint64_t{colors} * paletteEntrySize > bytes.size())
                return false;
            palette_.assign(maxColors, MakePixel(0, 0, 0));
            for (std::uint32_t i = 0; i < colors; ++i) {
                const std::uint8_t* e = p + afterHeader + i * paletteEntrySize;
                palette_[i] = MakePixel(e[2], e[1], e[0]);
            }
            break;
        }
        case 16:
        case 24:
        case 32:
            if (compression == kCompressionNone) {
                if (bitCount_ == 16) {
                    red_ = Channel(0x7C00), green_ = Channel(0x03E0), blue_ = Channel(0x001F);
                } else {
                    red_ = Channel(0xFF0000), green_ = Channel(0xFF00), blue_ = Channel(0xFF);
                }
            } else if (compression == kCompressionBitFields && bitCount_ != 24) {
                // The masks sit at bytes 54..65 whatever the header's length (after a 40-byte
                // header, inside the longer ones); the alpha mask follows in headers of 56 on.
                if (bytes.size() < 66 || (headerSize >= 56 && bytes.size() < 70))
                    return false;
                red_ = Channel(bytes::U32(p + 54));
                green_ = Channel(bytes::U32(p + 58));
                blue_ = Channel(bytes::U32(p + 62));
                if (headerSize >= 56)
                    alpha_ = Channel(bytes::U32(p + 66));
            } else {
                return false;
            }
            break;
        default:
            return false;
    }
    stride_ =
        ((static_cast<std::uint64_t>(width_) * static_cast<std::uint64_t>(bitCount_) + 31) / 32) *
        4;
    return bitsOffset_ <= bytes.size() &&
           stride_ * static_cast<std::uint64_t>(height_) <= bytes.size() - bitsOffset_;
}

bool BitmapDecoder::Draw(Surface& target) {
    if (target.Width() != width_ || target.Height() != height_)
        return false;
    for (int y = 0; y < height_; ++y) {
        const int fileRow = topDown ? y : height_ - 1 - y;
        const std::uint8_t* src =
            bytes_.data() + bitsOffset_ + stride_ * static_cast<std::uint64_t>(fileRow);
        Pixel* dst = target.Row(y);
        for (int x = 0; x < width_; ++x) {
            switch (bitCount_) {
                case 1:
                    dst[x] = palette_[(src[x >> 3] >> (7 - (x & 7))) & 1];
                    break;
                case 4:
                    dst[x] = palette_[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
                    break;
                case 8:
                    dst[x] = palette_[src[x]];
                    break;
                case 24:
                    dst[x] = MakePixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                    break;
                default: {
                    const std::uint32_t v =
                        bitCount_ == 16 ? bytes::U16(src + 2 * x) : bytes::U32(src + 4 * x);
                    dst[x] = MakePixel(red_.Take(v), green_.Take(v), blue_.Take(v),
                                       alpha_.mask ? alpha_.Take(v) : 255);
                    break;
                }
            }
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<PictureDecoder> OpenBitmapFile(std::span<const std::uint8_t> bytes) {
    auto decoder = std::make_unique<BitmapDecoder>();
    if (!decoder->Open(bytes))
        return nullptr;
    return decoder;
}

bool DecodeBitmapFile(std::span<const std::uint8_t> bytes, Surface& surface) {
    auto decoder = OpenBitmapFile(bytes);
    int width = 0, height = 0;
    if (!decoder || !decoder->GetSize(width, height) || !surface.Create(width, height))
        return false;
    return decoder->Draw(surface);
}

}  // namespace tessemar
