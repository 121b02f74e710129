#include "core/document/Drawing.h"

#include "EditingSupport.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace tessemar {
namespace {

using edit_test::MakeDoc;
using edit_test::PictureRows;
using edit_test::SetPicture;

std::vector<CellPoint> Line(int x1, int y1, int x2, int y2, int w = 250, int h = 250) {
    return StraightLineCells(x1, y1, x2, y2, w, h);
}

// Every direction: both ends, one cell per step along the longer axis, each the nearest to the
// ideal line (a tie to the smaller coordinate, whichever end the line starts from), no gaps.
TEST(StraightLineTest, EveryOctantFollowsTheNearestCellRule) {
    const int cx = 20, cy = 20;
    for (int dx = -13; dx <= 13; ++dx) {
        for (int dy = -13; dy <= 13; ++dy) {
            const auto cells = Line(cx, cy, cx + dx, cy + dy);
            SCOPED_TRACE(::testing::Message() << "dx " << dx << " dy " << dy);
            const int major = std::max(std::abs(dx), std::abs(dy));
            ASSERT_EQ(cells.size(), static_cast<std::size_t>(major + 1));
            EXPECT_EQ(cells.front(), (CellPoint{cx, cy}));
            EXPECT_EQ(cells.back(), (CellPoint{cx + dx, cy + dy}));
            for (std::size_t n = 0; n < cells.size(); ++n) {
                if (n > 0) {
                    EXPECT_LE(std::abs(cells[n].x - cells[n - 1].x), 1);
                    EXPECT_LE(std::abs(cells[n].y - cells[n - 1].y), 1);
                }
                const bool alongX = std::abs(dx) >= std::abs(dy);
                const double t = alongX ? cells[n].x - cx : cells[n].y - cy;
                const double ideal = alongX ? cy + dy * t / (dx == 0 ? 1 : dx) : cx + dx * t / dy;
                const int got = alongX ? cells[n].y : cells[n].x;
                const double distance = got - ideal;
                const bool nearest = std::abs(distance) < 0.5 - 1e-9;
                const bool tieGoesDown = std::abs(distance + 0.5) < 1e-9;
                EXPECT_TRUE(nearest || tieGoesDown)
                    << "cell " << cells[n].x << "," << cells[n].y << " ideal " << ideal;
            }
        }
    }
}

TEST(StraightLineTest, ClippingKeepsTheCellsInside) {
    struct Case {
        int x1, y1, x2, y2;
    };
    const Case cases[] = {{-40, -7, 300, 90}, {12, -30, -5, 44}, {-3, 5, 30, 5}, {5, -100, 6, 100}, {-9, -9, -1, -1}};
    for (const Case& c : cases) {
        // The same line drawn far from any edge, moved back and cut to a 20 x 15 picture.
        std::vector<CellPoint> expected;
        for (const CellPoint& p : Line(c.x1 + 200, c.y1 + 200, c.x2 + 200, c.y2 + 200, 1000, 1000)) {
            const CellPoint q{p.x - 200, p.y - 200};
            if (q.x >= 0 && q.y >= 0 && q.x < 20 && q.y < 15) expected.push_back(q);
        }
        EXPECT_EQ(Line(c.x1, c.y1, c.x2, c.y2, 20, 15), expected) << c.x1 << "," << c.y1;
    }
    // Ends at the limits of int: no overflow, and the cost stays that of the picture.
    std::vector<CellPoint> diagonal;
    for (int i = 0; i < 250; ++i) diagonal.push_back({i, i});
    EXPECT_EQ(Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX), diagonal);
    EXPECT_EQ(Line(INT_MAX, 0, INT_MIN, 0).size(), 250u);
    EXPECT_TRUE(Line(INT_MIN, INT_MAX, INT_MAX, INT_MIN).size() <= 250u);
}

TEST(DrawingTest, DragValuesOfButtonsAndModifiers) {
    struct Case {
        MouseButton button;
        int startCell;
        bool ctrl, shift;
        int expected;
    };
    const int color = 3;
    const MouseButton L = MouseButton::Left, R = MouseButton::Right;
    const Case cases[] = {
        {L, 0, false, false, color}, {L, 5, false, false, 0}, {L, 5, true, false, color},
        {L, 0, false, true, 0},      {L, 5, true, true, color}, {R, 0, false, false, -1},
        {R, -1, false, false, 0},    {R, -1, true, false, -1}, {R, 0, true, true, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DragValue(c.button, c.startCell, color, c.ctrl, c.shift), c.expected)
            << (c.button == L ? "left" : "right") << " on " << c.startCell << " ctrl " << c.ctrl << " shift "
            << c.shift;
    }
    // A release takes the modifiers as the drag does, or else keeps the drag's value.
    EXPECT_EQ(ReleaseValue(R, 0, color, true, true), -1);
    EXPECT_EQ(ReleaseValue(R, -1, color, false, true), 0);
    EXPECT_EQ(ReleaseValue(L, 7, color, false, false), 7);
    EXPECT_EQ(PenMoveValue(color, true), 0);
    EXPECT_EQ(PenMoveValue(color, false), color);
}

TEST(DrawingTest, RectanglesAndLinesFillTheirCellsAndStayInside) {
    auto a = MakeDoc(6, 4);
    auto b = MakeDoc(6, 4);
    a->FillRectangle(1, 1, 4, 2, 2);
    b->FillRectangle(4, 2, 1, 1, 2);
    EXPECT_EQ(PictureRows(*a), PictureRows(*b));
    EXPECT_EQ(PictureRows(*a), (std::vector<std::string>{"......", ".2222.", ".2222.", "......"}));
    EXPECT_EQ(a->UndoHistory().back().size(), 8 * kUndoRecordSize);
    b->DrawStraightLine(0, 3, 5, 3, 4);
    EXPECT_EQ(PictureRows(*b)[3], "444444");

    // Dragged beyond the grid: only cells of the picture change, hidden cells are kept.
    LoadSize(*a, 3, 3);
    a->FillRectangle(-5, -5, 10, 10, -1);
    LoadSize(*a, 6, 4);
    EXPECT_EQ(PictureRows(*a), (std::vector<std::string>{"xxx...", "xxx22.", "xxx22.", "......"}));
}

TEST(FloodFillTest, FillsThroughEdgesOnly) {
    auto doc = MakeDoc(6, 5);
    SetPicture(*doc, {
                         "..1...",
                         ".1.1..",
                         "1...1.",
                         ".1.1.2",
                         "..1.2.",
                     });
    doc->FloodFill(2, 2, 3, 0);
    EXPECT_EQ(PictureRows(*doc), (std::vector<std::string>{
                                     "..1...",
                                     ".131..",
                                     "13331.",
                                     ".131.2",
                                     "..1.2.",
                                 }));
    EXPECT_EQ(doc->UndoHistory().back().size(), 5 * kUndoRecordSize);
    doc->FloodFill(2, 2, 3, 3);  // same value: nothing
    doc->FloodFill(0, 0, 2, 1);  // start cell does not hold the old value: nothing
    doc->FloodFill(6, 0, 2, 0);  // outside the picture
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    // The area outside the shape reaches round it to the top right and stops at the picture.
    doc->FloodFill(5, 0, -1, 0);
    EXPECT_EQ(PictureRows(*doc)[0], "..1xxx");
    EXPECT_EQ(PictureRows(*doc)[4], "..1.2.");
}

TEST(FloodFillTest, PaintToolChoosesTheFill) {
    struct Case {
        MouseButton button;
        int clicked;
        int expected;
    };
    const int color = 2;
    const Case cases[] = {
        {MouseButton::Left, 0, color}, {MouseButton::Left, color, 0}, {MouseButton::Left, 5, color},
        {MouseButton::Left, -1, color}, {MouseButton::Right, -1, 0},  {MouseButton::Right, 0, -1},
        {MouseButton::Right, 5, -1},
    };
    for (const Case& c : cases) {
        auto doc = MakeDoc(4, 3);
        doc->FillRectangle(0, 0, 1, 1, c.clicked);
        doc->PaintFill(0, 0, c.button, color);
        EXPECT_EQ(doc->Cell(1, 1), c.expected) << c.clicked;
    }
}

TEST(FloodFillTest, WholeLargestPictureIsOneEntry) {
    auto doc = MakeDoc(250, 250);
    doc->FloodFill(125, 125, 4, 0);
    ASSERT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_EQ(doc->UndoHistory()[0].size(), 62500 * kUndoRecordSize);
}

}  // namespace
}  // namespace tessemar
