#include "RenderTestSupport.h"

#include "core/document/CLogicDoc.h"
#include "render/LayoutCanvas.h"

#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using test::DifferentPixels;
using test::RenderWhole;

// What a pane showing this window of the drawing would see.
QImage PaintWindow(LayoutCanvas& canvas, const Rect& window) {
    QImage image(window.Width(), window.Height(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    canvas.Paint(painter, window, QPoint(0, 0));
    painter.end();
    return image;
}

QImage PaintWhole(LayoutCanvas& canvas) {
    return PaintWindow(canvas, {0, 0, canvas.BitmapSize().cx, canvas.BitmapSize().cy});
}

std::unique_ptr<CLogicDoc> MakeDocument(const PuzzleModel& model) {
    auto doc = std::make_unique<CLogicDoc>();
    doc->ReplaceModel(model);
    return doc;
}

// Far along a full-size grid, where the wider lines have shifted everything by several cells,
// and with room for six tiles: tiles and one drawing of the same window agree, for windows over
// the picture and the clues, for one hanging over the drawing's top left, where there are no
// tiles, and for the first window again once its tiles have gone.
TEST(LayoutCanvas, TilesFarAlongALargeGridMatchOneDrawingWithinTheMemoryLimit) {
    const std::size_t tileBytes =
        std::size_t{LayoutCanvas::kTileSize} * LayoutCanvas::kTileSize * 4;
    for (int c : {11, 51}) {
        auto doc = MakeDocument(test::RandomModel(250, 250, c, 17));
        LayoutCanvas canvas(*doc);
        canvas.SetCacheLimit(6 * tileBytes);
        const PixelSize size = canvas.BitmapSize();
        const int caw = canvas.Geometry().clueAreaWidth();
        const int cah = canvas.Geometry().clueAreaHeight();
        const Rect windows[] = {{size.cx - 500, size.cy - 400, size.cx, size.cy},
                                {caw - 300, size.cy - 450, caw + 200, size.cy - 50},
                                {size.cx - 600, cah - 300, size.cx - 100, cah + 100},
                                {-30, -30, 30, 30},
                                {size.cx - 500, size.cy - 400, size.cx, size.cy}};
        for (const Rect& r : windows) {
            const QImage painted = PaintWindow(canvas, r);
            // A paint may need more tiles than the limit; those of older paints go.
            EXPECT_LE(canvas.CachedTiles(), 9u);
            EXPECT_EQ(DifferentPixels(painted, RenderLayoutImage(doc->Model(), canvas.Style(), r)),
                      0)
                << "c " << c << " at " << r.left << "," << r.top;
        }
        canvas.SetCacheLimit(0);
        EXPECT_EQ(canvas.CachedBytes(), 0u);
    }
}

// Edits through the document redraw only what changed; the result equals a fresh drawing.
TEST(LayoutCanvas, IncrementalRedrawEqualsAFullRender) {
    PuzzleModel model = test::RandomModel(24, 22, 17, 11);
    model.rowClueNumbers[1][3] = 123;
    model.rowClueColors[1][3] = 2;
    auto doc = MakeDocument(model);
    LayoutCanvas canvas(*doc);
    PaintWhole(canvas);  // every tile is kept now
    QSignalSpy changed(&canvas, &LayoutCanvas::RegionChanged);
    QSignalSpy reset(&canvas, &LayoutCanvas::LayoutReset);

    doc->WriteCell(0, 0, 4);
    doc->WriteCell(23, 21, kCellX);
    doc->WriteCell(10, 10, 0);
    // An emptied slot erases its number; others get new numbers or colours.
    doc->SetClueNumber(SideRow, 1, 3, kEmptySlot, 0);
    doc->SetClueNumber(SideRow, 23, 21, 250, 8);
    doc->SetClueNumber(SideColumn, 5, 0, 99, 3);
    doc->SetClueNumber(SideColumn, 23, 21, 1, 1);

    EXPECT_EQ(reset.count(), 0);
    EXPECT_GE(changed.count(), 7);
    LayoutStyle style(doc->Model(), {});
    QImage incremental = PaintWhole(canvas);
    EXPECT_EQ(DifferentPixels(incremental, RenderWhole(doc->Model(), style)), 0);
}

TEST(LayoutCanvas, ChangesOutsideThePuzzleAreIgnored) {
    auto doc = MakeDocument(test::MakeModel(10, 10));
    LayoutCanvas canvas(*doc);
    QImage before = PaintWhole(canvas);
    QSignalSpy changed(&canvas, &LayoutCanvas::RegionChanged);
    canvas.DrawCell(10, 0);
    canvas.DrawCell(-1, 3);
    canvas.DrawClueNumber(SideRow, 10, 0);
    canvas.DrawClueNumber(SideColumn, 0, 10);
    canvas.DrawClueNumber(SideColumn, -1, 0);
    canvas.DrawClueNumber(3, 0, 0);
    canvas.DrawCellBlock(-5, -5, 300, 300);  // clipped to the arrays, then to the puzzle
    EXPECT_EQ(DifferentPixels(PaintWhole(canvas), before), 0);
}

TEST(LayoutCanvas, LayoutChangesRebuildTheDrawing) {
    auto doc = MakeDocument(test::RandomModel(12, 12, 17, 5));
    LayoutCanvas canvas(*doc);
    PaintWhole(canvas);
    QSignalSpy reset(&canvas, &LayoutCanvas::LayoutReset);

    doc->ChangeSize(12, 12, 23, 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(DifferentPixels(PaintWhole(canvas),
                              RenderWhole(doc->Model(), LayoutStyle(doc->Model(), {}))),
              0);

    canvas.SetOptions({false, false});
    EXPECT_EQ(reset.count(), 2);
    canvas.SetOptions({false, false});  // no change, no rebuild
    EXPECT_EQ(reset.count(), 2);
    EXPECT_EQ(DifferentPixels(PaintWhole(canvas),
                              RenderWhole(doc->Model(), LayoutStyle(doc->Model(), {false, false}))),
              0);

    ColorTable colors = doc->Model().colors;
    colors[0] = MakeColorRef(250, 240, 200);
    doc->SetColorTables(colors, doc->Model().shadowColors);
    QImage image = PaintWhole(canvas);
    EXPECT_EQ(test::Pixel(image, image.width() - 1, image.height() - 1), ToQRgb(colors[0]));
}

TEST(LayoutCanvas, FollowsTheDocumentUntilDestroyed) {
    auto doc = MakeDocument(test::MakeModel(5, 5));
    {
        LayoutCanvas canvas(*doc);
        QSignalSpy changed(&canvas, &LayoutCanvas::RegionChanged);
        doc->WriteCell(1, 1, 2);
        EXPECT_EQ(changed.count(), 2);  // the cell and its preview pixel
    }
    // The canvas has stopped listening: this must not reach freed memory.
    doc->WriteCell(2, 2, 2);
    doc->SetClueNumber(SideRow, 0, 0, 3, 1);
}

}  // namespace
}  // namespace tessemar
