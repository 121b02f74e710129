#include "render/SheetExport.h"

#include "core/io/ByteOrder.h"
#include "core/io/FileUtil.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tessemar {
namespace {

// A bitmap file: the 14-byte file header, the 40-byte info header of a 24-bit picture, then the
// rows from the bottom up in blue, green, red, each padded with zeros to four bytes.
TEST(SheetExportTest, BitmapFileHasTheStatedHeaderAndRows) {
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(10 * x, 100 + y, 200));
    }
    TempDir dir;
    ASSERT_EQ(WriteBitmapFile(dir.File("p.bmp"), image), 0);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(dir.File("p.bmp"), bytes).ok);
    const std::uint32_t stride = 16, imageSize = stride * 3;
    ASSERT_EQ(bytes.size(), 54 + imageSize);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    std::vector<std::uint32_t> fields;
    for (std::size_t at = 2; at < 54; at += 4)
        fields.push_back(bytes::U32(bytes.data() + at));
    // size, reserved, offset, header size, width, height, planes | 24 bits << 16, BI_RGB,
    // image size, then resolution and colour counts of 0.
    EXPECT_EQ(fields, (std::vector<std::uint32_t>{54 + imageSize, 0, 54, 40, 5, 3, 1 | 24 << 16, 0, imageSize, 0,
                                                   0, 0, 0}));
    for (int row = 0; row < 3; ++row) {
        const std::size_t at = 54 + row * stride;
        const int y = 2 - row;
        EXPECT_EQ(bytes[at + 3 * 4], 200) << "blue of the last pixel of row " << row;
        EXPECT_EQ(bytes[at + 3 * 4 + 1], 100 + y);
        EXPECT_EQ(bytes[at + 3 * 4 + 2], 40);
        EXPECT_EQ(bytes[at + 15], 0) << "padding";
    }
}

}  // namespace
}  // namespace tessemar
