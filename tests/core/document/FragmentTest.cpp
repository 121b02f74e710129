#include "core/document/Fragment.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tessemar {
namespace {

using namespace std::string_literals;

Fragment Make(int w, int h, std::vector<std::int8_t> cells) { return Fragment{w, h, std::move(cells)}; }

TEST(FragmentTest, ParseRefusesBlocksThatAreNoFragment) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"no height", "\x03"s},
        {"width 0", "\x00\x03\x01\x01\x01"s},
        {"one cell short", "\x03\x02\x01\x02\x03\x04\x05"s},
        {"the text of a failed clipboard read", "ERROR"},  // 69 x 82 cells would be needed
    };
    for (const Case& c : cases) EXPECT_FALSE(ParseFragment(c.bytes).has_value()) << c.what;
}

TEST(FragmentTest, ParseReadsExactlyTheCellsAndCleansForeignValues) {
    // Bytes after the cells (a clipboard block may be rounded up) are not cells.
    const auto fragment = ParseFragment("\x03\x02\x01\xFF\x00\x08\x09\x80\x07\x07"s);
    ASSERT_TRUE(fragment.has_value());
    EXPECT_EQ(fragment->width, 3);
    EXPECT_EQ(fragment->height, 2);
    // 9 and -128 are no cell values a picture can hold: they arrive blank.
    EXPECT_EQ(fragment->cells, (std::vector<std::int8_t>{1, -1, 0, 8, 0, 0}));
    EXPECT_EQ(FragmentBytes(*fragment), "\x03\x02\x01\xFF\x00\x08\x00\x00"s);

    const auto largest = ParseFragment(std::string(2 + 255 * 255, '\x02').replace(0, 2, "\xFF\xFF"));
    ASSERT_TRUE(largest.has_value());
    EXPECT_EQ(largest->cells.size(), 255u * 255u);
}

TEST(FragmentTest, TurnsAndMirrorsMoveCellsToTheirPlaces) {
    // 1 2 3
    // 4 5 6
    const Fragment f = Make(3, 2, {1, 2, 3, 4, 5, 6});
    struct Case {
        PictureTransform transform;
        Fragment expected;
    };
    const Case cases[] = {
        {PictureTransform::MirrorHorizontally, Make(3, 2, {3, 2, 1, 6, 5, 4})},
        {PictureTransform::MirrorVertically, Make(3, 2, {4, 5, 6, 1, 2, 3})},
        {PictureTransform::Turn180, Make(3, 2, {6, 5, 4, 3, 2, 1})},
        {PictureTransform::TurnRight90, Make(2, 3, {4, 1, 5, 2, 6, 3})},  // clockwise
        {PictureTransform::TurnLeft90, Make(2, 3, {3, 6, 2, 5, 1, 4})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TransformFragment(f, c.transform, 1), c.expected) << static_cast<int>(c.transform);
    }
}

TEST(FragmentTest, MirrorColorAndEraseXTouchOnlyTheirCells) {
    const Fragment f = Make(5, 1, {0, -1, 2, 3, 8});
    EXPECT_EQ(TransformFragment(f, PictureTransform::MirrorColor, 2).cells, (std::vector<std::int8_t>{2, 2, 0, 3, 8}));
    EXPECT_EQ(TransformFragment(f, PictureTransform::MirrorColor, 8).cells, (std::vector<std::int8_t>{8, 8, 2, 3, 0}));
    // No drawing colour: no cell may become a value outside the picture's range.
    EXPECT_EQ(TransformFragment(f, PictureTransform::MirrorColor, 0), f);
    EXPECT_EQ(TransformFragment(f, PictureTransform::MirrorColor, 9), f);
    EXPECT_EQ(TransformFragment(f, PictureTransform::EraseXMarks, 2).cells, (std::vector<std::int8_t>{0, 0, 2, 3, 8}));
}

}  // namespace
}  // namespace tessemar
