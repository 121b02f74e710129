#include "core/solver/ByteMatrix.h"

#include <gtest/gtest.h>

#include <string>

namespace tessemar {
namespace {

std::string Bytes(const ByteMatrix& m) {
    std::string s;
    for (int i = 0; i < m.Size(); ++i)
        s += std::to_string(m.Get(i)) + (i + 1 < m.Size() ? "," : "");
    return s;
}

ByteMatrix Vector(std::initializer_list<int> values) {
    ByteMatrix m(static_cast<int>(values.size()), 1);
    int i = 0;
    for (int v : values)
        m.Set(i++, static_cast<std::uint8_t>(v));
    return m;
}

TEST(ByteMatrixTest, RowsAndColumnsCopyOutAndStoreBack) {
    ByteMatrix m(2, 3, 0);
    for (int i = 0; i < 6; ++i)
        m.Set(i, static_cast<std::uint8_t>(i + 1));
    EXPECT_EQ(m.Get(1, 2), 6);
    EXPECT_EQ(Bytes(m.CopyRow(1)), "4,5,6");
    EXPECT_EQ(Bytes(m.CopyColumn(2)), "3,6");
    m.StoreColumn(0, Vector({9, 8}));
    m.StoreRow(0, Vector({7, 7, 7}));
    EXPECT_EQ(Bytes(m), "7,7,7,8,5,6");
    // Out-of-range lines are refused rather than written outside.
    m.StoreRow(5, Vector({1, 1, 1}));
    m.StoreColumn(-1, Vector({1, 1}));
    EXPECT_EQ(Bytes(m), "7,7,7,8,5,6");
}

TEST(ByteMatrixTest, SearchesRespectStartCountAndLimit) {
    const ByteMatrix v = Vector({0, 255, 3, 0, 250, 0, 251});
    EXPECT_EQ(v.Find(0, 1), 3);
    EXPECT_EQ(v.Find(9), -1);
    EXPECT_EQ(v.FindForward(0, 7, 250), 2);
    EXPECT_EQ(v.FindForward(3, 3, 250), 4);
    EXPECT_EQ(v.FindForward(3, 1, 250), -1);
    EXPECT_EQ(v.FindForward(5, 10, 250), -1);  // 251 is over the limit; the end is clipped
    EXPECT_EQ(v.FindBackward(6, 7, 250), 4);
    EXPECT_EQ(v.FindBackward(3, 2, 250), 2);
    EXPECT_EQ(v.FindBackward(3, 1, 250), -1);
    EXPECT_EQ(v.FindBackward(1, 5, 255), 1);
}

TEST(ByteMatrixTest, ShiftsMaxAndAssign) {
    struct Case {
        int k;
        bool left;
        std::string expected;
    };
    for (const Case& c :
         {Case{1, true, "2,3,4,0"}, Case{2, false, "0,0,1,2"}, Case{4, true, "0,0,0,0"},
          Case{9, false, "0,0,0,0"}, Case{0, true, "1,2,3,4"}}) {
        ByteMatrix v = Vector({1, 2, 3, 4});
        if (c.left) {
            v.ShiftLeft(c.k);
        } else {
            v.ShiftRight(c.k);
        }
        EXPECT_EQ(Bytes(v), c.expected) << c.k << (c.left ? " left" : " right");
    }
    ByteMatrix a = Vector({1, 9, 3});
    a.MaxWith(Vector({5, 2}));
    EXPECT_EQ(Bytes(a), "5,9,3");
    ByteMatrix b(3, 1, 0);
    const std::uint8_t* before = b.Data();
    const ByteMatrix source3 = Vector({4, 5, 6});
    b = source3;
    EXPECT_EQ(b.Data(), before);  // same element count: no new allocation
    EXPECT_EQ(Bytes(b), "4,5,6");
    const std::uint8_t source[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ByteMatrix loaded(2, 3);
    loaded.Load(source, 4);
    EXPECT_EQ(Bytes(loaded), "1,2,3,5,6,7");
    EXPECT_TRUE(ByteMatrix(0, 5).Empty());
}

}  // namespace
}  // namespace tessemar
