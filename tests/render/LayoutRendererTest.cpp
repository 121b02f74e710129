#include "RenderTestSupport.h"

#include "render/LayoutRenderer.h"
#include "render/SheetExport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <regex>

namespace tessemar {
namespace {

using test::MakeModel;
using test::Pixel;
using test::RenderWhole;

// Walks from the grid's top left along the middle of picture row 0 and down the middle of
// column 3: every grid line has its width (three pixels at the border and, with BoldLine, at
// every tenth line, two at every fifth, else one) and its colour (thick lines in the bold
// colour, thin ones in the line colour), and the c - 1 pixels of each cell between are
// background. The slot separators of the clue areas are dotted in the line colour.
TEST(LayoutRenderer, GridLinesHaveTheirWidthsAndColoursAndSlotSeparatorsAreDotted) {
    for (bool bold : {false, true}) {
        for (int c : {11, 17}) {
            PuzzleModel m = MakeModel(23, 12, c);
            m.shadowColors[0] = MakeColorRef(200, 0, 0);  // bold
            m.shadowColors[9] = MakeColorRef(0, 0, 200);  // thin
            LayoutStyle style(m, {bold, true});
            const QImage image = RenderWhole(m, style);
            const LayoutGeometry& g = style.Geometry();
            const QRgb thick = ToQRgb(m.shadowColors[0]), thin = ToQRgb(m.shadowColors[9]);
            const QRgb background = ToQRgb(m.colors[0]);
            auto walk = [&](int n, auto pixelAt) {
                int at = 0;
                for (int i = 0; i <= n; ++i) {
                    const int width =
                        i == 0 || i == n || (bold && i % 10 == 0) ? 3 : (i % 5 == 0 ? 2 : 1);
                    for (const int end = at + width; at < end; ++at)
                        ASSERT_EQ(pixelAt(at), width > 1 ? thick : thin)
                            << "line " << i << " bold " << bold << " c " << c;
                    for (const int end = at + c - 1; i < n && at < end; ++at)
                        ASSERT_EQ(pixelAt(at), background) << "cell " << i << " c " << c;
                }
            };
            const int row0 = g.CellTop(0) + c / 2, column3 = g.CellLeft(3) + c / 2;
            walk(23, [&](int d) { return Pixel(image, g.clueAreaWidth() + d, row0); });
            walk(12, [&](int d) { return Pixel(image, column3, g.clueAreaHeight() + d); });
            // The picture's row lines run on through the row clue area, to x = 1.
            EXPECT_EQ(Pixel(image, 1, g.CellTop(5) - 2), thick);
            EXPECT_EQ(Pixel(image, 1, g.CellTop(6) - 1), thin);
            EXPECT_EQ(Pixel(image, 0, g.CellTop(5) - 2), background);
            // Eight pixels along a separator, inside a cell: '#' line colour, '.' background.
            auto dots = [&](int x, int y, int dx, int dy) {
                std::string seen;
                for (int i = 0; i < 8; ++i) {
                    const QRgb p = Pixel(image, x + i * dx, y + i * dy);
                    seen += p == thin ? '#' : p == background ? '.' : '?';
                }
                return seen;
            };
            const std::regex alternating(R"((#\.){4}|(\.#){4})");
            // Across the column clue area at y = 1 + i c, down the row clue area at x = 1 + i c.
            const std::string across = dots(g.CellLeft(1) + 1, 1 + 2 * c, 1, 0);
            EXPECT_TRUE(std::regex_match(across, alternating)) << across << " c " << c;
            const std::string down = dots(1 + 3 * c, g.CellTop(2) + 1, 0, 1);
            EXPECT_TRUE(std::regex_match(down, alternating)) << down << " c " << c;
        }
    }
}

// The cut sheet starts at the dotted separator before the first used slot of each clue area.
// With both areas in full use it reaches into the corner where the preview lies; the preview
// still stays out of the sheet.
TEST(LayoutRenderer, CutSheetStartsAtTheFirstUsedSlot) {
    struct Case {
        int w, h, rowSlots, columnSlots;
    };
    for (const Case& k : {Case{15, 10, 3, 1}, Case{5, 4, 5, 4}}) {
        PuzzleModel m = MakeModel(k.w, k.h, 17);
        m.rowClueNumbers[k.rowSlots - 1][k.h - 1] = 5;
        m.columnClueNumbers[k.w - 1][k.columnSlots - 1] = 1;
        for (int x = 0; x < k.w; ++x) {
            for (int y = 0; y < k.h; ++y)
                m.cells[x][y] = 3;
        }
        LayoutStyle style(m, {true, true});
        Rect cut = GetSheetRect(style, m, true);
        EXPECT_EQ(cut.left, (k.w - k.rowSlots) * 17 + 1);
        EXPECT_EQ(cut.top, (k.h - k.columnSlots) * 17 + 1);
        EXPECT_EQ(cut.right, style.Geometry().BitmapSize().cx);
        QImage expected = RenderWhole(m, style).copy(cut.left, cut.top, cut.Width(), cut.Height());
        QPainter(&expected).fillRect(-cut.left, -cut.top, k.w, k.h, QColor(ToQRgb(m.colors[0])));
        EXPECT_EQ(test::DifferentPixels(RenderSheet(m, style, true), expected), 0) << k.w;
    }
}

// A coloured cell has a shadow band along its top and left, an X mark is inset and three pixels
// thick; the preview, in the drawing's corner and on its own, shows colours only.
TEST(LayoutRenderer, CellsAndThePreview) {
    const int c = 17;  // q = 4, r = 2
    PuzzleModel m = MakeModel(20, 10, c);
    m.cells[0][0] = 1;
    m.cells[19][9] = 8;
    m.cells[1][2] = 3;
    m.cells[2][1] = kCellX;
    m.cells[6][5] = 42;  // not a cell value: blank
    LayoutStyle style(m, {});
    QImage image = RenderWhole(m, style);
    const LayoutGeometry& g = style.Geometry();
    const QRgb background = ToQRgb(m.colors[0]);

    QImage preview = RenderPreview(m);
    ASSERT_EQ(preview.size(), QSize(20, 10));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            int v = m.cells[x][y];
            QRgb expected =
                ToQRgb(v >= 1 && v <= 8 ? m.colors[static_cast<std::size_t>(v)] : m.colors[0]);
            ASSERT_EQ(Pixel(image, x, y), expected) << x << "," << y;
            ASSERT_EQ(Pixel(preview, x, y), expected) << x << "," << y;
        }
    }
    // A cell value that is no colour draws as blank in the picture too.
    Rect cell = g.CellInterior(6, 5);
    EXPECT_EQ(Pixel(image, cell.left + 8, cell.top + 8), background);

    const int left = g.CellLeft(1);
    const int top = g.CellTop(2);
    const QRgb shadow = ToQRgb(m.shadowColors[3]);
    const QRgb colour = ToQRgb(m.colors[3]);
    for (int dy = 0; dy < c - 1; ++dy) {
        for (int dx = 0; dx < c - 1; ++dx) {
            QRgb expected = dx < 4 || dy < 4 ? shadow : colour;
            ASSERT_EQ(Pixel(image, left + dx, top + dy), expected) << dx << "," << dy;
        }
    }

    const int xl = g.CellLeft(2);
    const int xt = g.CellTop(1);
    const QRgb ink = ToQRgb(m.colors[9]);
    for (int dy = 0; dy < c - 1; ++dy) {
        for (int dx = 0; dx < c - 1; ++dx) {
            QRgb p = Pixel(image, xl + dx, xt + dy);
            ASSERT_TRUE(p == ink || p == background);
            // Inset: nothing within r pixels of the cell's edges.
            if (dx <= 2 || dy <= 2 || dx >= c - 1 - 2 || dy >= c - 1 - 2) {
                ASSERT_EQ(p, background) << dx << "," << dy;
            }
            // The X is symmetric about the cell's vertical centre line.
            ASSERT_EQ(p, Pixel(image, xl + (c - 2 - dx), xt + dy)) << dx << "," << dy;
        }
    }
    // Three pixels thick: a row through the middle of a stroke holds two runs of three (so
    // there is ink at all).
    std::string midRow;
    for (int dx = 0; dx < c - 1; ++dx)
        midRow += Pixel(image, xl + dx, xt + 3 + 2) == ink ? '#' : '.';
    EXPECT_TRUE(std::regex_match(midRow, std::regex(R"(\.+###\.+###\.+)"))) << midRow;
}

// The ink of a clue number stays inside its (c - 2) x (c - 2) box and has the number's colour.
TEST(LayoutRenderer, ClueNumbersStayInTheirBoxes) {
    for (int c : {11, 17, 33}) {
        PuzzleModel m = MakeModel(6, 6, c);
        m.rowClueNumbers[0][2] = 254;  // three digits in the narrowest boxes
        m.rowClueColors[0][2] = 2;
        m.columnClueNumbers[4][1] = 7;
        m.columnClueColors[4][1] = 4;
        LayoutStyle style(m, {});
        QImage image = RenderWhole(m, style);
        const LayoutGeometry& g = style.Geometry();
        struct Slot {
            int side, line, slot, colour;
        };
        for (const Slot& s : {Slot{SideRow, 2, 0, 2}, Slot{SideColumn, 4, 1, 4}}) {
            const Rect box = g.ClueBox(s.side, s.line, s.slot);
            EXPECT_EQ(box.Width(), c - 2);
            EXPECT_EQ(box.Height(), c - 2);
            const QRgb ink = ToQRgb(m.colors[static_cast<std::size_t>(s.colour)]);
            const QRgb bg = ToQRgb(m.colors[0]);
            // Antialiased edges blend the number's colour into the background, nothing else.
            auto between = [](int v, int a, int b) {
                return v >= std::min(a, b) - 1 && v <= std::max(a, b) + 1;
            };
            int inked = 0, exact = 0, minX = box.right, maxX = box.left;
            // The box and the ring of pixels around it, which belong to separators or
            // background, never to text.
            for (int y = box.top - 1; y <= box.bottom; ++y) {
                for (int x = box.left - 1; x <= box.right; ++x) {
                    const QRgb p = Pixel(image, x, y);
                    if (!box.Contains(x, y)) {
                        EXPECT_TRUE(p == bg || p == ToQRgb(m.shadowColors[9]) ||
                                    p == ToQRgb(m.shadowColors[0]))
                            << x << "," << y << " c " << c;
                        continue;
                    }
                    ASSERT_TRUE(between(qRed(p), qRed(bg), qRed(ink)) &&
                                between(qGreen(p), qGreen(bg), qGreen(ink)) &&
                                between(qBlue(p), qBlue(bg), qBlue(ink)))
                        << std::hex << p;
                    exact += p == ink;
                    if (p != bg) {
                        ++inked;
                        minX = std::min(minX, x);
                        maxX = std::max(maxX, x);
                    }
                }
            }
            EXPECT_GT(inked, 0) << "c " << c;
            // Strokes of a bold font of some size have pixels of the full colour.
            if (c >= 17) {
                EXPECT_GT(exact, 0) << "c " << c;
            }
            // Centred across: the ink leaves about the same room on both sides.
            EXPECT_LE(std::abs((minX - box.left) - (box.right - 1 - maxX)), 3) << "c " << c;
        }
    }
}

TEST(LayoutRenderer, WideNumbersAreNarrowedUntilTheyFit) {
    for (int c = 11; c <= 51; c += 4) {
        NumberFont font("Arial", 700, c);
        // The character cell is cellSize - 4 high (give or take the rounding of the em size).
        EXPECT_NEAR(font.Height(), c - 4, 1) << c;
        for (int number : {0, 9, 10, 99, 100, 188, 254}) {
            const NumberFont::Fitted& fitted = font.Fit(number);
            EXPECT_LE(fitted.width, c - 2) << number << " at " << c;
            // Narrowing only when the natural width does not fit.
            bool fitsNaturally = font.TextWidth(QString::number(number)) <= c - 2;
            EXPECT_EQ(fitted.stretch == 100, fitsNaturally) << number << " at " << c;
        }
    }
}

// Graduation numbers stand right of the picture beside every fifth row and below it under every
// fifth column; with GraduateNumber off only they disappear, nothing else changes.
TEST(LayoutRenderer, GraduationNumbersInTheMargin) {
    PuzzleModel m = MakeModel(12, 7, 17);
    const LayoutStyle on(m, {false, true});
    const QImage withNumbers = RenderWhole(m, on);
    const QImage without = RenderWhole(m, LayoutStyle(m, {false, false}));
    const LayoutGeometry& g = on.Geometry();
    const PixelSize extent = g.GetLayoutExtent();
    // Seven rows and twelve columns: row 5 on the right, columns 5 and 10 below, each number
    // beside the cell before its fifth line.
    int row5 = 0, column5 = 0, column10 = 0;
    for (int y = 0; y < withNumbers.height(); ++y) {
        for (int x = 0; x < withNumbers.width(); ++x) {
            if (Pixel(withNumbers, x, y) == Pixel(without, x, y))
                continue;
            if (x >= extent.cx && y >= g.CellTop(4) && y < g.CellTop(5)) {
                ++row5;
            } else if (y >= extent.cy && x >= g.CellLeft(4) && x < g.CellLeft(5) + 8) {
                ++column5;
            } else if (y >= extent.cy && x >= g.CellLeft(9) && x < g.CellLeft(10) + 8) {
                ++column10;
            } else {
                ADD_FAILURE() << "graduation ink at " << x << "," << y;
                return;
            }
        }
    }
    EXPECT_GT(row5, 0);
    EXPECT_GT(column5, 0);
    EXPECT_GT(column10, 0);
}

TEST(LayoutRenderer, ClueTextColourRule) {
    PuzzleModel m = MakeModel(3, 3);
    for (int i = 0; i < 10; ++i)
        m.colors[static_cast<std::size_t>(i)] = MakeColorRef(i * 20, 0, 0);
    LayoutStyle style(m, {});
    // Colours 0..9 are their own, 255 and -1 the ink colour 9, anything else background.
    for (auto [index, colour] :
         {std::pair{0, 0}, {4, 4}, {9, 9}, {255, 9}, {-1, 9}, {10, 0}, {200, 0}})
        EXPECT_EQ(style.ClueTextColor(index), ToQRgb(m.colors[colour])) << index;
}

TEST(LayoutRenderer, AnyRegionMatchesTheWholeDrawing) {
    PuzzleModel m = test::RandomModel(17, 13, 13, 7);
    for (bool bold : {false, true}) {
        LayoutStyle style(m, {bold, true});
        QImage whole = RenderWhole(m, style);
        const Rect regions[] = {{0, 0, 40, 40},     {100, 90, 333, 260}, {150, 0, 151, 400},
                                {0, 201, 500, 202}, {-20, -20, 30, 30},  {290, 250, 420, 400}};
        for (const Rect& r : regions) {
            // The whole drawing's pixels where it has them, background beyond.
            QImage expected(r.Width(), r.Height(), QImage::Format_RGB32);
            expected.fill(ToQRgb(m.colors[0]));
            QPainter(&expected).drawImage(-r.left, -r.top, whole);
            EXPECT_EQ(test::DifferentPixels(RenderLayoutImage(m, style, r), expected), 0)
                << r.left << "," << r.top << " bold " << bold;
        }
    }
}

}  // namespace
}  // namespace tessemar
