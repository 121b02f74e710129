#include "core/io/ByteOrder.h"
#include "core/images/Qga.h"

#include "core/io/FileUtil.h"
#include "support/ByteFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace tessemar {
namespace {

Surface Picture(int width, int height) {
    Surface s;
    EXPECT_TRUE(s.Create(width, height));
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Runs of equal pixels and some noise, like a logo with soft edges.
            s.Row(y)[x] =
                (x / 5 + y / 3) % 2 ? MakePixel(255, 255, 255, 0) : static_cast<Pixel>(random());
        }
    }
    return s;
}

TEST(QgaTest, WrittenImagesLoadBackPixelForPixel) {
    for (bool packed : {true, false}) {
        const Surface original = Picture(37, 21);
        std::vector<std::uint8_t> file = WriteQga(original, packed);
        ASSERT_EQ(std::memcmp(file.data(), "qga", 4), 0);
        EXPECT_EQ(bytes::U32(file.data() + 12) != 0, packed);
        // Readers go by name, never by the magic.
        file[0] = 'X';
        Surface loaded;
        ASSERT_EQ(LoadQga(loaded, file), QgaOk) << packed;
        ASSERT_EQ(loaded.Width(), 37);
        ASSERT_EQ(loaded.Height(), 21);
        EXPECT_EQ(std::memcmp(loaded.Data(), original.Data(), original.ByteSize()), 0);
        EXPECT_TRUE(loaded.IsLoaded());
        EXPECT_TRUE(loaded.HasAlpha());
        EXPECT_EQ(loaded.ColorKey(), original.At(0, 0) & 0xFFFFFF);
    }
}

TEST(QgaTest, DamagedFilesAreRefusedWithTheirCode) {
    const std::vector<std::uint8_t> good = WriteQga(Picture(16, 8), true);
    const std::vector<std::uint8_t> plain = WriteQga(Picture(16, 8), false);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
        int code;
    } cases[] = {
        {"header cut short", {good.begin(), good.begin() + 23}, QgaBadSize},
        {"width 0", good, QgaBadSize},
        {"height beyond any sane picture", good, QgaBadSize},
        {"negative width as signed", good, QgaBadSize},
        {"unpacked size disagrees with the header's picture", good, QgaBadPixels},
        {"stored size beyond the file", good, QgaBadPixels},
        {"packed data cut short", {good.begin(), good.end() - 5}, QgaBadPixels},
        {"unpacked data cut short", {plain.begin(), plain.end() - 1}, QgaBadPixels},
        {"unpacked stored size too small", plain, QgaBadPixels},
        {"a few packed bytes claiming a big picture",
         {good.begin(), good.begin() + 40},
         QgaBadPixels},
    };
    PokeLE(cases[1].file, 4, 0);
    PokeLE(cases[2].file, 8, 100000000);
    PokeLE(cases[3].file, 4, 0xFFFFFFF0);
    PokeLE(cases[4].file, 16, 16 * 8 * 4 + 4);
    PokeLE(cases[5].file, 20, static_cast<std::uint32_t>(good.size()));
    PokeLE(cases[8].file, 20, 16 * 8 * 4 - 1);
    PokeLE(cases[9].file, 4, 8192);
    PokeLE(cases[9].file, 8, 8192);
    PokeLE(cases[9].file, 16, 8192u * 8192u * 4u);
    PokeLE(cases[9].file, 20, 16);
    for (const Case& c : cases) {
        Surface s;
        EXPECT_EQ(LoadQga(s, c.file), c.code) << c.what;
        EXPECT_FALSE(s.IsLoaded()) << c.what;
    }
}

// The program's own logos, made by tools/make-logos and kept in resources/qga.
TEST(QgaTest, ShippedLogosHaveTheirSizesAndAlpha) {
    struct Case {
        const char* file;
        int width, height;
        bool alphaInSixteenths;
    } cases[] = {{"220.qga", 384, 96, true}, {"222.qga", 180, 208, false}};
    for (const Case& c : cases) {
        const std::string path = std::string(TESSEMAR_SOURCE_DIR) + "/resources/qga/" + c.file;
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadFileBytes(path, bytes).ok);
        ASSERT_NE(bytes::U32(bytes.data() + 12), 0u) << "stored packed";
        Surface s;
        ASSERT_EQ(LoadQga(s, bytes), QgaOk) << c.file;
        EXPECT_EQ(s.Width(), c.width);
        EXPECT_EQ(s.Height(), c.height);
        int transparent = 0;
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                const int a = PixelAlpha(s.At(x, y));
                transparent += a == 0;
                ASSERT_TRUE(!c.alphaInSixteenths || a % 16 == 0 || a == 255)
                    << c.file << " alpha " << a;
            }
        }
        EXPECT_GT(transparent, 0) << c.file;
        EXPECT_GT(s.Width() * s.Height() - transparent, s.Width() * s.Height() / 10)
            << c.file << " shows something";
    }
}

}  // namespace
}  // namespace tessemar
