#include "core/images/BitmapFile.h"
#include "core/io/ByteOrder.h"
#include "core/images/ImageFile.h"
#include "core/images/Qga.h"

#include "support/ByteFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <algorithm>
#include <cstring>
#include <filesystem>

namespace tessemar {
namespace {

// A picture that uses the given colours in a pattern that differs on every row.
Surface Picture(int width, int height, const std::vector<Pixel>& colors) {
    Surface s;
    EXPECT_TRUE(s.Create(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            s.Row(y)[x] = colors[static_cast<std::size_t>(x * 3 + y * 5 + x * y) % colors.size()];
    }
    return s;
}

bool SamePixels(const Surface& a, const Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Data(), b.Data(), a.ByteSize()) == 0;
}

struct BmpLayout {
    int bitCount;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks = {};  // red, green, blue for bit fields
    bool topDown = false;
};

// Encodes a picture as a bitmap file the way common writers do; up to 8 bits per pixel, with
// the colours the picture uses as its palette.
std::vector<std::uint8_t> MakeBmp(const Surface& pic, const BmpLayout& layout,
                                  const std::vector<Pixel>& colours = {}) {
    const std::vector<Pixel> palette = layout.bitCount <= 8 ? colours : std::vector<Pixel>();
    const std::uint32_t stride = ((pic.Width() * layout.bitCount + 31) / 32) * 4;
    const std::uint32_t bitsOffset =
        54 + static_cast<std::uint32_t>(layout.masks.size() * 4 + palette.size() * 4);
    std::vector<std::uint8_t> out = {'B', 'M'};
    bytes::PutU32(out, bitsOffset + stride * pic.Height());
    bytes::PutU32(out, 0);
    bytes::PutU32(out, bitsOffset);
    bytes::PutU32(out, 40);
    bytes::PutU32(out, static_cast<std::uint32_t>(pic.Width()));
    bytes::PutU32(out, static_cast<std::uint32_t>(layout.topDown ? -pic.Height() : pic.Height()));
    bytes::PutU16(out, 1);
    bytes::PutU16(out, static_cast<std::uint16_t>(layout.bitCount));
    bytes::PutU32(out, layout.compression);
    bytes::PutU32(out, stride * pic.Height());
    bytes::PutU32(out, 2835);
    bytes::PutU32(out, 2835);
    bytes::PutU32(out, static_cast<std::uint32_t>(palette.size()));
    bytes::PutU32(out, 0);
    for (std::uint32_t m : layout.masks)
        bytes::PutU32(out, m);
    for (Pixel p : palette)
        bytes::PutU32(out, p & 0xFFFFFF);
    for (int row = 0; row < pic.Height(); ++row) {
        const int y = layout.topDown ? row : pic.Height() - 1 - row;
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < pic.Width(); ++x) {
            const Pixel p = pic.At(x, y);
            const auto index = static_cast<std::uint32_t>(
                std::find(palette.begin(), palette.end(), p) - palette.begin());
            const std::uint32_t r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
            if (layout.bitCount <= 8) {
                // Palette indices, the leftmost pixel in the high bits of its byte.
                const int bit = x * layout.bitCount;
                line[bit / 8] |=
                    static_cast<std::uint8_t>(index << (8 - layout.bitCount - bit % 8));
            } else if (layout.bitCount == 16) {
                const bool six = !layout.masks.empty() && layout.masks[1] == 0x07E0;
                const std::uint32_t v = six ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                                            : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
                line[2 * x] = static_cast<std::uint8_t>(v);
                line[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            } else {
                // Blue, green, red; the fourth byte of a plain 32-bit bitmap is unused, and
                // writers leave it 0.
                const int at = x * layout.bitCount / 8;
                line[at] = static_cast<std::uint8_t>(b);
                line[at + 1] = static_cast<std::uint8_t>(g);
                line[at + 2] = static_cast<std::uint8_t>(r);
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

const Pixel kBlack = MakePixel(0, 0, 0), kWhite = MakePixel(255, 255, 255);

TEST(BitmapFileTest, DecodesUncompressedDepths) {
    // Colours that the narrow formats hold exactly.
    const std::vector<Pixel> many = {kBlack, kWhite, MakePixel(255, 0, 0), MakePixel(0, 128, 0),
                                     MakePixel(1, 2, 3), MakePixel(200, 100, 50)};
    const std::vector<Pixel> fives = {kBlack, kWhite, MakePixel(0x84, 0x84, 0x84),
                                      MakePixel(0xFF, 0, 0x84)};
    const std::vector<Pixel> sixGreen = {kBlack, kWhite, MakePixel(0x84, 0x82, 0x84),
                                         MakePixel(0, 0xFF, 0)};
    struct Case {
        const char* what;
        BmpLayout layout;
        std::vector<Pixel> colors;
    } cases[] = {
        {"1 bit", {1}, {kBlack, MakePixel(10, 200, 30)}},
        {"4 bits", {4}, many},
        {"8 bits", {8}, many},
        {"16 bits 5-5-5", {16}, fives},
        {"16 bits 5-6-5 fields", {16, 3, {0xF800, 0x07E0, 0x001F}}, sixGreen},
        {"24 bits", {24}, many},
        {"24 bits top-down", {24, 0, {}, true}, many},
        {"32 bits", {32}, many},
        {"32 bits fields", {32, 3, {0xFF0000, 0xFF00, 0xFF}}, many},
    };
    for (const Case& c : cases) {
        for (int width : {1, 13, 32}) {
            const Surface pic = Picture(width, 5, c.colors);
            Surface decoded;
            ASSERT_TRUE(DecodeBitmapFile(MakeBmp(pic, c.layout, c.colors), decoded))
                << c.what << " " << width;
            EXPECT_TRUE(SamePixels(decoded, pic)) << c.what << " " << width;
        }
    }
}

TEST(BitmapFileTest, RefusesCompressedAndDamagedFiles) {
    const std::vector<std::uint8_t> good =
        MakeBmp(Picture(13, 5, {kBlack, kWhite}), {8}, {kBlack, kWhite});
    ASSERT_TRUE(OpenBitmapFile(good));
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        int size;
    } cases[] = {
        {"not BM", 0, 'X', 1},
        {"run-length compressed", 30, 1, 4},
        {"bit count 7", 28, 7, 2},
        {"two planes", 26, 2, 2},
        {"width 0", 18, 0, 4},
        {"height forged huge", 22, 0x7FFFFFFF, 4},
        {"height the most negative number", 22, 0x80000000, 4},
        {"width x height beyond any sane picture", 18, 100000, 4},
        {"pixel offset beyond the file", 10, 0xFFFFFFF0, 4},
        {"header longer than the file", 14, 0xFFFF, 4},
        {"header of unknown size", 14, 20, 4},
        {"palette longer than the file", 46, 0, 4},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> file = good;
        PokeLE(file, c.offset, c.value, c.size);
        if (c.offset == 46)
            file.resize(60);  // the palette would run past the end
        EXPECT_FALSE(OpenBitmapFile(file)) << c.what;
    }
    EXPECT_FALSE(OpenBitmapFile(std::span(good).first(good.size() - 1))) << "pixels cut short";
    // A 41-byte header with bit fields in a 61-byte file: the masks would run past the end.
    std::vector<std::uint8_t> fields =
        MakeBmp(Picture(5, 3, {kBlack, kWhite}), {16, 3, {0x7C00, 0x03E0, 0x001F}});
    PokeLE(fields, 14, 41);
    fields.resize(61);
    EXPECT_FALSE(OpenBitmapFile(fields)) << "bit fields cut short";
    EXPECT_FALSE(OpenBitmapFile(std::span(good).first(53))) << "shorter than a bitmap header";
}

// A stand-in for the platform decoder that accepts anything starting with "FAKE".
struct FakePlatform {
    int calls = 0;
    int width = 3, height = 2;
    bool drawOk = true;

    DecoderFactory Factory() {
        return [this](std::span<const std::uint8_t> bytes) -> std::unique_ptr<PictureDecoder> {
            ++calls;
            if (bytes.size() < 4 || std::string(bytes.begin(), bytes.begin() + 4) != "FAKE")
                return nullptr;
            struct Decoder : PictureDecoder {
                FakePlatform* owner;
                explicit Decoder(FakePlatform* o) : owner(o) {}
                bool GetSize(int& w, int& h) override {
                    w = owner->width;
                    h = owner->height;
                    return true;
                }
                bool Draw(Surface& target) override {
                    target.Fill(Rect{0, 0, target.Width(), target.Height()},
                                MakePixel(1, 2, 3, 128));
                    return owner->drawOk;
                }
                bool HasAlpha() const override { return true; }
            };
            return std::make_unique<Decoder>(this);
        };
    }
};

TEST(ImageFileTest, DecoderChainTakesTheFirstThatAccepts) {
    TempDir dir;
    const Surface pic = Picture(7, 3, {MakePixel(9, 8, 7), kWhite, kBlack});
    WriteBytes(dir.File("pic.bmp"), MakeBmp(pic, {24}));
    WriteBytes(dir.File("logo.QGA"), WriteQga(Picture(5, 4, {MakePixel(1, 1, 1, 0), kWhite})));
    WriteBytes(dir.File("fake.jpg"), BytesOf("FAKE picture"));
    WriteBytes(dir.File("junk.jpg"), BytesOf("nothing anyone reads"));

    FakePlatform platform;
    const ImageDecoders decoders{platform.Factory(), dir.Path()};
    Surface s;
    EXPECT_EQ(LoadImageFile(s, dir.File("pic.bmp"), decoders), ImageFileOk);
    EXPECT_EQ(platform.calls, 0) << "the bitmap parser comes first";
    EXPECT_TRUE(SamePixels(s, pic));
    EXPECT_TRUE(s.IsLoaded());
    EXPECT_FALSE(s.HasAlpha());
    EXPECT_EQ(s.ColorKey(), 0x090807u) << "pixel (0, 0) gives the colour key";

    EXPECT_EQ(LoadImageFile(s, dir.File("logo.QGA"), decoders), ImageFileOk)
        << "qga by extension, any case";
    EXPECT_TRUE(s.HasAlpha());
    EXPECT_EQ(platform.calls, 0);

    EXPECT_EQ(LoadImageFile(s, dir.File("fake.jpg"), decoders), ImageFileOk);
    EXPECT_EQ(platform.calls, 1);
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.At(2, 1), MakePixel(1, 2, 3, 128));
    EXPECT_TRUE(s.HasAlpha());

    struct Case {
        const char* what;
        const char* file;
        int width, height;
        bool drawOk;
        int code;
    } cases[] = {
        {"nobody accepts", "junk.jpg", 3, 2, true, ImageFileNoDecoder},
        {"no such file", "missing.jpg", 3, 2, true, ImageFileNoDecoder},
        {"decoder gives no size", "fake.jpg", 0, 2, true, ImageFileNoSize},
        {"decoder gives a negative size", "fake.jpg", 3, -2, true, ImageFileNoSize},
        {"too big for a surface", "fake.jpg", 100000, 100000, true, ImageFileNoBitmap},
        {"decoder fails to draw", "fake.jpg", 3, 2, false, ImageFileNoBitmap},
    };
    for (const Case& c : cases) {
        platform.width = c.width;
        platform.height = c.height;
        platform.drawOk = c.drawOk;
        s.SetLoaded(true);
        EXPECT_EQ(LoadImageFile(s, dir.File(c.file), decoders), c.code) << c.what;
        EXPECT_FALSE(s.IsLoaded()) << c.what;
    }
}

#ifdef TESSEMAR_TEST_IMAGE_PLUGIN
TEST(ImageFileTest, PluginDecodesItsExtensionFromTwoKilobytesOn) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("spi"));
    const std::string plugin = dir.File("spi/iftst.so");
    std::filesystem::copy_file(TESSEMAR_TEST_IMAGE_PLUGIN, plugin);
    // Holding the library open keeps its call counter alive across the loader's own
    // dlopen and dlclose.
    void* library = dlopen(plugin.c_str(), RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto calls = reinterpret_cast<int (*)()>(dlsym(library, "TestPluginIsSupportedCalls"));
    ASSERT_NE(calls, nullptr);

    const Surface pic = Picture(6, 4, {MakePixel(10, 20, 30, 40), MakePixel(50, 60, 70, 255)});
    auto pluginFile = [&](std::size_t size) {
        std::vector<std::uint8_t> file = BytesOf(std::string("TSTPIC\0\0", 8));
        bytes::PutU32(file, 6);
        bytes::PutU32(file, 4);
        const auto* pixels = reinterpret_cast<const std::uint8_t*>(pic.Data());
        file.insert(file.end(), pixels, pixels + pic.ByteSize());
        file.resize(size, 0);
        return file;
    };
    WriteBytes(dir.File("big.TST"), pluginFile(2048));
    WriteBytes(dir.File("small.tst"), pluginFile(2047));
    WriteBytes(dir.File("other.tst"), BytesOf(std::string(3000, 'x')));
    FakePlatform platform;
    const ImageDecoders decoders{platform.Factory(), dir.Path()};
    Surface s;

    EXPECT_EQ(LoadImageFile(s, dir.File("small.tst"), decoders), ImageFileNoDecoder);
    EXPECT_EQ(calls(), 0) << "a file under 2048 bytes is never offered to the plug-in";
    EXPECT_EQ(platform.calls, 1) << "but the platform decoder was asked before";

    EXPECT_EQ(LoadImageFile(s, dir.File("big.TST"), decoders), ImageFileOk);
    EXPECT_EQ(calls(), 1);
    EXPECT_TRUE(SamePixels(s, pic));
    EXPECT_TRUE(s.HasAlpha());

    EXPECT_EQ(LoadImageFile(s, dir.File("other.tst"), decoders), ImageFileNoDecoder);
    EXPECT_EQ(calls(), 2) << "asked, and it said no";
    dlclose(library);
}
#endif

}  // namespace
}  // namespace tessemar
