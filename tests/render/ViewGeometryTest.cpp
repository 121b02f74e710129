#include "RenderTestSupport.h"

#include "core/document/PuzzleModel.h"
#include "render/ViewGeometry.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

TEST(ViewGeometry, LayoutExtentAndBitmapSize) {
    struct Case {
        int w, h, c;
        bool bold;
        PixelSize extent;
    };
    const Case cases[] = {
        // 15 x 15 at 17: clue area 256, grid 262 (263 with BoldLine: line 10 is three wide).
        {15, 15, 17, false, {518, 518}},
        {1, 1, 11, false, {12 + 16, 12 + 16}},
        // The closing border is three pixels even when n is a multiple of ten without BoldLine.
        {10, 20, 17, false, {171 + 10 * 17 + 6, 341 + 20 * 17 + 8}},
        {10, 20, 17, true, {171 + 10 * 17 + 6, 341 + 20 * 17 + 9}},
    };
    for (const Case& k : cases) {
        LayoutGeometry g(k.w, k.h, k.c, k.bold);
        EXPECT_EQ(g.GetLayoutExtent(), k.extent) << k.w << "x" << k.h;
    }
    // 519 with BoldLine, and two cells of graduation margin.
    EXPECT_EQ(LayoutGeometry(15, 15, 17, true).BitmapSize(), (PixelSize{553, 553}));
}

TEST(ViewGeometry, OutOfRangeSizesAreClamped) {
    LayoutGeometry g(0, 1000, 400, false);
    EXPECT_EQ(g.columnCount(), 1);
    EXPECT_EQ(g.rowCount(), kMaxLines);
    EXPECT_EQ(g.cellSize(), kMaxCellSize);
}

// Cell 9 of a ten-wide puzzle starts at 9c + 4; with BoldLine cell 10 at 10c + 6, cell 20 at
// 20c + 9 and cell 249 at 249c + 3 + 49 + 24. Every pixel of a cell hits that cell.
TEST(ViewGeometry, CellsStartAtTheDocumentedPositionsAndTheirPixelsHitThem) {
    struct Case {
        int cell;
        int extra, boldExtra;  // offset minus cell * c, without and with BoldLine
    };
    const Case cases[] = {{0, 3, 3},  {4, 3, 3},  {5, 4, 4},    {9, 4, 4},
                          {10, 5, 6}, {20, 7, 9}, {249, 52, 76}};
    for (bool bold : {false, true}) {
        for (int c : {11, 17, 51}) {
            LayoutGeometry g(250, 250, c, bold);
            for (const Case& k : cases) {
                EXPECT_EQ(g.CellOffset(k.cell), k.cell * c + (bold ? k.boldExtra : k.extra))
                    << "cell " << k.cell << " c " << c << " bold " << bold;
                EXPECT_EQ(g.CellLeft(k.cell), 250 * c + 1 + g.CellOffset(k.cell));
            }
            for (int i = 0; i < 250; ++i) {
                int first = g.CellLeft(i);
                ASSERT_EQ(g.PictureColumnAt(first), i) << "c " << c << " bold " << bold;
                ASSERT_EQ(g.PictureColumnAt(first + c - 2), i) << "c " << c << " bold " << bold;
                ASSERT_EQ(g.PictureRowAt(g.CellTop(i) + c / 2), i);
            }
        }
    }
    // The two pixels of a fifth line split between its cells.
    LayoutGeometry g(10, 10, 17, false);
    EXPECT_EQ(g.PictureColumnAt(g.clueAreaWidth() + 5 * 17 + 2), 4);
    EXPECT_EQ(g.PictureColumnAt(g.clueAreaWidth() + 5 * 17 + 3), 5);
    // Points just left of the grid truncate to cell 0; the caller looks at the region first.
    EXPECT_EQ(g.PictureColumnAt(g.clueAreaWidth() - 1), 0);
}

TEST(ViewGeometry, ClassifyPoint) {
    LayoutGeometry g(15, 10, 17, true);
    PixelSize extent = g.GetLayoutExtent();
    struct Case {
        int x, y;
        Pane pane;
        ViewRegion region;
    };
    const Case cases[] = {
        {5, 5, CornerPane, RegionNone},
        {-1, 300, PicturePane, RegionNone},
        {300, -1, PicturePane, RegionNone},
        {extent.cx, 200, PicturePane, RegionNone},
        {300, extent.cy, PicturePane, RegionNone},
        {5, 5, PicturePane, RegionRowClues},  // the empty corner counts by x
        {g.clueAreaWidth() - 1, g.clueAreaHeight() + 20, RowCluePane, RegionRowClues},
        {g.clueAreaWidth(), g.clueAreaHeight() - 1, ColumnCluePane, RegionColumnClues},
        {g.clueAreaWidth(), g.clueAreaHeight(), PicturePane, RegionPicture},
        {extent.cx - 1, extent.cy - 1, PicturePane, RegionPicture},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(g.ClassifyPoint(k.x, k.y, k.pane), k.region) << k.x << "," << k.y;
    }
}

TEST(ViewGeometry, GetCellRectTakesCornersInAnyOrderAndFollowsTheScroll) {
    for (bool bold : {false, true}) {
        LayoutGeometry g(30, 30, 17, bold);
        // Columns 4 and 12 start at 71 and 209, rows 3 and 21 at 54 and 364; BoldLine widens the
        // tenth and twentieth lines by one pixel each.
        const Rect expected{71 - 7, 54 - 9, (bold ? 210 : 209) + 16 - 7, (bold ? 366 : 364) + 16 - 9};
        EXPECT_EQ(g.GetCellRect(12, 3, 4, 21, 7, 9), expected);
        EXPECT_EQ(g.GetCellRect(4, 21, 12, 3, 7, 9), expected);
    }
}

TEST(ViewGeometry, UsedClueDepthAndScrollSizes) {
    struct Case {
        int w, h, rowDepth, columnDepth;
        int rowPaneWidthSlots, columnPaneHeightSlots;
    };
    const Case cases[] = {
        {15, 15, 0, 0, 1, 1},      // no numbers: one slot to type into
        {15, 15, 3, 2, 4, 3},      // one empty slot beyond the used ones
        {15, 10, 15, 10, 15, 10},  // full areas get no extra slot
    };
    for (const Case& k : cases) {
        PuzzleModel m = test::MakeModel(k.w, k.h);
        if (k.rowDepth > 0)
            m.rowClueNumbers[k.rowDepth - 1][k.h - 1] = 1;
        if (k.columnDepth > 0)
            m.columnClueNumbers[0][k.columnDepth - 1] = 0;  // 0 is a number too
        // A number beyond the current size does not count.
        m.rowClueNumbers[k.w][0] = 7;
        m.columnClueNumbers[k.w][0] = 7;
        const auto depth = GetUsedClueDepth(m);
        EXPECT_EQ(depth, std::make_pair(k.rowDepth, k.columnDepth));
        LayoutGeometry g(k.w, k.h, 17, true);
        const PixelSize picture = ComputeScrollSize(PicturePane, g, depth);
        EXPECT_EQ(ComputeScrollSize(CornerPane, g, depth),
                  (PixelSize{k.rowPaneWidthSlots * 17 + 1, k.columnPaneHeightSlots * 17 + 1}));
        EXPECT_EQ(ComputeScrollSize(RowCluePane, g, depth),
                  (PixelSize{k.rowPaneWidthSlots * 17 + 1, picture.cy}));
        EXPECT_EQ(ComputeScrollSize(ColumnCluePane, g, depth),
                  (PixelSize{picture.cx, k.columnPaneHeightSlots * 17 + 1}));
    }
    // The grid of 15 cells with BoldLine (263) and two cells of graduation margin.
    EXPECT_EQ(ComputeScrollSize(PicturePane, LayoutGeometry(15, 15, 17, true), {0, 0}),
              (PixelSize{297, 297}));
}

TEST(ViewGeometry, HitTestInEachPane) {
    const int c = 17;
    LayoutGeometry g(20, 20, c, false);
    // Three used slots plus one empty: the clue panes' content is 4 slots deep.
    const PixelSize clueContent{4 * c + 1, 4 * c + 1};
    const PixelSize picture = ComputeScrollSize(PicturePane, g, {3, 3});
    // The picture pane scrolled by one cell each way; the column clue pane larger
    // than its content, so drawn against its bottom edge; the row clue pane smaller than its
    // content, scrolled to its right end.
    const PaneView scrolled{{200, 200}, {c, c}, picture};
    const PaneView columns{{200, 300}, {0, 0}, {picture.cx, clueContent.cy}};
    const PaneView rows{{40, 200}, {clueContent.cx - 40, 0}, {clueContent.cx, picture.cy}};
    struct Case {
        Pane pane;
        PaneView view;
        int px, py;
        bool drag;
        HitResult expected;
    };
    const Case cases[] = {
        {PicturePane, scrolled, 3, 3, false, {1, 1, RegionPicture}},
        // The bottom pixel row is slot 0, the one c pixels higher slot 1.
        {ColumnCluePane, columns, 10, 299, false, {0, 0, RegionColumnClues}},
        {ColumnCluePane, columns, 10, 299 - c, false, {0, 1, RegionColumnClues}},
        {RowCluePane, rows, 39, 5, false, {0, 0, RegionRowClues}},
        {RowCluePane, rows, 39 - c, 5, false, {1, 0, RegionRowClues}},
        // The corner pane never hits anything.
        {CornerPane, {{100, 100}, {0, 0}, clueContent}, 50, 50, false, {-1, -1, RegionNone}},
        // Beyond the layout: nothing, unless a drag follows the mouse out of the picture.
        {PicturePane, {{2000, 2000}, {0, 0}, picture}, 1000, 10, false, {-1, -1, RegionNone}},
        // In the column clue area a drag keeps the picture formulas.
        {ColumnCluePane, columns, 10, 299, true, {0, 0, RegionColumnClues}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(HitTest(k.pane, g, k.view, k.px, k.py, k.drag), k.expected)
            << "pane " << k.pane << " at " << k.px << "," << k.py;
    }
    // A drag past the right edge gives a column beyond the picture, for the caller to clip.
    HitResult far = HitTest(PicturePane, g, {{2000, 2000}, {0, 0}, picture}, 1000, 10, true);
    EXPECT_EQ(far.region, RegionNone);
    EXPECT_GT(far.x, 19);
    EXPECT_EQ(far.y, 0);
    // Above the column clue area a drag gives rows above the picture (negative).
    HitResult above =
        HitTest(ColumnCluePane, g, {{200, 69}, {0, 0}, {picture.cx, clueContent.cy}}, 10, 20, true);
    EXPECT_LE(above.y, 0);
}

TEST(ViewGeometry, AlignClueScrollShowsTheSlotsNextToThePicture) {
    PaneView tall{{100, 50}, {0, 0}, {300, 120}};
    EXPECT_EQ(AlignClueScroll(ColumnCluePane, tall), (PixelPoint{0, 70}));
    EXPECT_EQ(AlignClueScroll(RowCluePane, tall), (PixelPoint{200, 0}));
    EXPECT_EQ(AlignClueScroll(PicturePane, tall), (PixelPoint{0, 0}));
    PaneView roomy{{400, 400}, {3, 4}, {300, 120}};
    EXPECT_EQ(AlignClueScroll(ColumnCluePane, roomy), (PixelPoint{3, 4}));
}

}  // namespace
}  // namespace tessemar
