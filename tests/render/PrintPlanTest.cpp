#include "render/PrintPlan.h"

#include "RenderTestSupport.h"
#include "core/io/FileUtil.h"
#include "render/SheetExport.h"
#include "support/TempDir.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>


namespace tessemar {
namespace {

// Worked by hand: 600 dpi, margins of 1 inch (2540) make 600 pixels each side.
TEST(PrintPlanTest, PagesAndTilesFollowZoomMarginsAndAspect) {
    struct Case {
        QSize sheet;
        QRect page;
        int dpiX, dpiY, zoom;
        QRect printable;
        int across, down;
        QSize tile;
    } cases[] = {
        {{552, 552}, {0, 0, 4800, 6600}, 600, 600, 300, {600, 600, 3600, 5400}, 1, 1, {552, 552}},
        {{4000, 2000}, {0, 0, 4800, 6600}, 600, 600, 100, {600, 600, 3600, 5400}, 2, 1, {3600, 2000}},
        {{4000, 6000}, {0, 0, 4800, 6600}, 600, 600, 200, {600, 600, 3600, 5400}, 3, 3, {1800, 2700}},
    };
    for (const Case& c : cases) {
        const PrintPlan plan = PlanPrint(c.sheet, c.page, c.dpiX, c.dpiY, QMargins(2540, 2540, 2540, 2540), c.zoom);
        EXPECT_EQ(plan.printable, c.printable) << c.zoom;
        EXPECT_EQ(plan.across, c.across) << c.zoom;
        EXPECT_EQ(plan.down, c.down) << c.zoom;
        EXPECT_EQ(plan.tile, c.tile) << c.zoom;
    }
    // Page 2 of a sheet two pages wide is the second tile of the first row; the last tile is
    // clipped at the sheet's edge and drawn at the zoom.
    const PrintPlan plan = PlanPrint({4000, 6000}, {0, 0, 4800, 6600}, 600, 600, QMargins(2540, 2540, 2540, 2540), 200);
    EXPECT_EQ(plan.SourceOf(2, {4000, 6000}), QRect(1800, 0, 1800, 2700));
    EXPECT_EQ(plan.SourceOf(9, {4000, 6000}), QRect(3600, 5400, 400, 600));
    EXPECT_EQ(plan.TargetOf(QRect(3600, 5400, 400, 600)), QRect(600, 600, 800, 1200));
}

// A sheet wider than the page: page 2 shows the sheet's pixels of the second tile.
TEST(PrintPlanTest, PrintedPagesShowTheirTilesOfTheSheet) {
    const PuzzleModel model = test::RandomModel(40, 12, 17, 3);
    const LayoutStyle style(model, {});
    const QImage sheet = RenderSheet(model, style, false);
    const Rect sheetRect = GetSheetRect(style, model, false);
    TempDir dir;
    QPdfWriter writer(QString::fromStdString(dir.File("sheet.pdf")));
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const PrintPlan plan = PlanPrint(sheet.size(), writer.pageLayout().paintRectPixels(72), 72, 72, QMargins(), 100);
    ASSERT_GE(plan.across, 2);
    const QImage tile = sheet.copy(plan.SourceOf(2, sheet.size()));
    // Previewed at the paper's own size, page 2 is white paper with the second tile of the
    // sheet in its place; smaller, it keeps the paper's shape.
    const QSize paper = writer.pageLayout().paintRectPixels(72).size();
    QImage expected(paper, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(plan.printable.topLeft(), tile);
    EXPECT_EQ(test::DifferentPixels(PagePreview(plan, 2, paper, paper, sheetRect, model, style), expected), 0);
    const QSize fit(paper.width() / 2, paper.height());
    EXPECT_EQ(PagePreview(plan, 2, paper, fit, sheetRect, model, style).size(), paper.scaled(fit, Qt::KeepAspectRatio));
    {
        QPainter pdf(&writer);
        PrintSheet(pdf, writer, plan, sheetRect, model, style);
    }
    const std::string text = ReadWholeFile(dir.File("sheet.pdf")).value();
    int pages = 0;
    for (std::size_t at = 0; (at = text.find("/Type /Page\n", at)) != std::string::npos; ++at)
        ++pages;
    EXPECT_EQ(pages, plan.Pages());
}

}  // namespace
}  // namespace tessemar
