#include "gui/images/CWallpaperPainter.h"
#include "gui/images/LogoResource.h"

#include "core/images/Gradient.h"
#include "support/ByteFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace tessemar {
namespace {

constexpr ColorRef kSentinel = MakeColorRef(1, 2, 3);

QRgb Rgb(ColorRef c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// Draws with a painter over an image that starts in the sentinel colour.
template <typename Draw>
QImage Paint(int width, int height, Draw draw) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Rgb(kSentinel));
    QPainter painter(&image);
    draw(painter);
    painter.end();
    return image;
}

QImage PaintWallpaper(CWallpaperPainter& wallpaper, int width, int height) {
    return Paint(width, height,
                 [&](QPainter& p) { EXPECT_TRUE(wallpaper.DrawWallpaper(p, width, height)); });
}

// A painter without the version lines, so that whole pictures can be compared.
std::unique_ptr<CWallpaperPainter> QuietPainter() {
    auto painter = std::make_unique<CWallpaperPainter>();
    painter->SetTextLines(QString(), QString());
    return painter;
}

TEST(WallpaperTest, GradientDrawsStepsOrNothing) {
    struct Case {
        const char* what;
        int left, top, right, bottom;
        ColorRef from, to;
        int direction;
    } cases[] = {
        {"left to right", 2, 1, 9, 5, MakeColorRef(10, 0, 255), MakeColorRef(0, 200, 0), 0},
        {"top to bottom", 0, 2, 10, 8, MakeColorRef(0, 0, 0), MakeColorRef(255, 128, 7), 1},
        {"one pixel wide", 3, 0, 4, 8, MakeColorRef(0, 0, 0), MakeColorRef(255, 255, 255), 1},
        {"equal colours", 1, 1, 6, 6, MakeColorRef(40, 50, 60), MakeColorRef(40, 50, 60), 0},
    };
    for (const Case& c : cases) {
        const QImage image = Paint(10, 8, [&](QPainter& p) {
            FillGradient(p, c.left, c.top, c.right, c.bottom, c.from, c.to, c.direction);
        });
        const int w = c.right - c.left, h = c.bottom - c.top;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                ColorRef expected = kSentinel;
                if (w > 1 && h > 1 && x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
                    expected = c.direction == 0 ? GradientStepColor(c.from, c.to, x - c.left, w)
                                                : GradientStepColor(c.from, c.to, y - c.top, h);
                }
                ASSERT_EQ(image.pixel(x, y), Rgb(expected)) << c.what << " at " << x << "," << y;
            }
        }
    }
}

TEST(WallpaperTest, LogoTilesRepeatFromTheCornerOverTheGradation) {
    Surface logo;
    ASSERT_TRUE(LoadLogoResource(logo, kLogoWallpaperTile));
    const ColorRef color1 = MakeColorRef(171, 171, 171), color2 = MakeColorRef(255, 255, 255);
    struct Case {
        int width, height, direction;
    } cases[] = {{360, 208, 0}, {361, 208, 0}, {360, 208, 1}, {361, 417, 1}, {1, 1, 0}};
    for (const Case& c : cases) {
        auto wallpaper = QuietPainter();
        wallpaper->SetWallpaper(CWallpaperPainter::ModeDefaultLogo, "", kLogoWallpaperTile, color1,
                                color2, c.direction);
        const QImage image = PaintWallpaper(*wallpaper, c.width, c.height);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                // Every tile shows the logo blended over the gradation at its place in the strip.
                const bool across = c.direction == 0;
                const int n = across ? c.width : c.height;
                const Pixel base =
                    n > 1 ? PixelOfColor(GradientStepColor(color1, color2, across ? x : y, n))
                          : MakePixel(0, 0, 0);
                const Pixel expected =
                    BlendPixel(base, logo.At(x % logo.Width(), y % logo.Height()));
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF)
                    << c.width << "x" << c.height << " direction " << c.direction << " at " << x
                    << "," << y;
            }
        }
    }
}

TEST(WallpaperTest, PictureIsComposedOverColorOneAndTiled) {
    TempDir dir;
    // A 3 x 2 picture with one half-transparent pixel, read by Qt's decoder; the packed and qga
    // files are read by the same image loader, whose own tests cover them.
    QImage png(3, 2, QImage::Format_ARGB32);
    png.fill(qRgba(0, 200, 0, 255));
    png.setPixel(1, 1, qRgba(255, 0, 0, 128));
    png.setPixel(2, 0, qRgba(10, 20, 30, 255));
    ASSERT_TRUE(png.save(QString::fromStdString(dir.File("pic.png"))));

    const ColorRef color1 = MakeColorRef(0, 0, 255);
    auto wallpaper = QuietPainter();
    wallpaper->SetWallpaper(CWallpaperPainter::ModePicture, dir.File("pic.png"), kLogoWallpaperTile,
                            color1, 0, 0);
    ASSERT_FALSE(wallpaper->Failed());
    const QImage image = PaintWallpaper(*wallpaper, 7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const Pixel expected = BlendPixel(PixelOfColor(color1), png.pixel(x % 3, y % 2));
            ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x << "," << y;
        }
    }
}

int Count(const QImage& image, const QRect& area, QRgb color) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    }
    return n;
}

TEST(WallpaperTest, UnloadablePictureLeavesBlackWithTheFailureMessage) {
    TempDir dir;
    WriteBytes(dir.File("junk.jpg"), std::vector<std::uint8_t>(3000, 'x'));
    const std::string paths[] = {dir.File("missing.png"), dir.File("junk.jpg"), ""};
    for (const std::string& path : paths) {
        CWallpaperPainter wallpaper;
        wallpaper.SetWallpaper(CWallpaperPainter::ModePicture, path, kLogoWallpaperTile,
                               MakeColorRef(9, 9, 9), MakeColorRef(0, 0, 0), 0);
        EXPECT_TRUE(wallpaper.Failed()) << path;
        EXPECT_EQ(wallpaper.Mode(), CWallpaperPainter::ModeSimpleColor);
        const QImage image = PaintWallpaper(wallpaper, 400, 200);
        EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0u);
        // The message and the version lines are white.
        EXPECT_GT(Count(image, QRect(200, 60, 200, 140), qRgb(255, 255, 255)), 20) << path;
    }
    // An unknown mode fails the same way.
    CWallpaperPainter wallpaper;
    wallpaper.SetWallpaper(7, "", kLogoWallpaperTile, MakeColorRef(9, 9, 9), 0, 0);
    EXPECT_TRUE(wallpaper.Failed());
    EXPECT_EQ(wallpaper.Mode(), CWallpaperPainter::ModeSimpleColor);
    // A later good setting clears the failure.
    wallpaper.SetWallpaper(CWallpaperPainter::ModeGradation, "", kLogoWallpaperTile,
                           MakeColorRef(9, 9, 9), 0, 0);
    EXPECT_FALSE(wallpaper.Failed());
}

TEST(WallpaperTest, VersionTextTakesInverseColoursAndShadow) {
    struct Case {
        const char* what;
        int mode;
        ColorRef color1, color2;
        QRgb text, shadow;
    } cases[] = {
        {"plain colour: shadow in the inverse of colour 1", 0, MakeColorRef(0, 0, 128),
         MakeColorRef(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 127)},
        {"logo: white shadow", 2, MakeColorRef(0, 0, 128), MakeColorRef(255, 0, 255),
         qRgb(0, 255, 0), qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        CWallpaperPainter wallpaper;
        wallpaper.SetTextLines("Version 9.99/99.9999", "Notice line for the test");
        wallpaper.SetWallpaper(c.mode, "", kLogoWallpaperTile, c.color1, c.color2, 0);
        const QImage image = PaintWallpaper(wallpaper, 500, 300);
        const QRect corner(250, 230, 250, 70);
        EXPECT_GT(Count(image, corner, c.text), 10) << c.what;
        EXPECT_GT(Count(image, corner, c.shadow), 0) << c.what;
        EXPECT_EQ(Count(image, QRect(0, 0, 500, 200), c.text), 0)
            << c.what << ": the text sits at the bottom";
    }
}

TEST(WallpaperTest, ColorTileHasFrameBandsAndBody) {
    const ColorRef color = MakeColorRef(200, 0, 0), shadow = MakeColorRef(0, 0, 90);
    struct Case {
        int width, height;
    } cases[] = {{20, 16}, {23, 9}, {4, 4}, {5, 3}};
    for (const Case& c : cases) {
        QWidget target;
        CWallpaperPainter wallpaper;
        wallpaper.Attach(&target);
        wallpaper.SetWallpaper(CWallpaperPainter::ModeColorTile, "", 0, color, shadow, 0);
        const QRgb face = target.palette().color(QPalette::Button).rgb();
        const QImage image = PaintWallpaper(wallpaper, c.width, c.height);
        const int w = c.width - 4, h = c.height - 4;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                QRgb expected = face;
                if (x >= 2 && x < c.width - 2 && y >= 2 && y < c.height - 2) {
                    expected = (x < 2 + w / 4 || y < 2 + h / 4) ? Rgb(shadow) : Rgb(color);
                }
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF)
                    << c.width << "x" << c.height << " at " << x << "," << y;
            }
        }
    }
}

TEST(WallpaperTest, AttachedWindowShowsTheWallpaper) {
    QWidget target;
    target.resize(80, 60);
    CWallpaperPainter wallpaper;
    wallpaper.SetTextLines(QString(), QString());
    wallpaper.Attach(&target);
    wallpaper.SetWallpaper(CWallpaperPainter::ModeGradation, "", 0, MakeColorRef(0, 0, 0),
                           MakeColorRef(0, 0, 240), 1);
    const QImage grabbed = target.grab().toImage();
    EXPECT_EQ(grabbed.pixel(70, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(grabbed.pixel(70, 59) & 0xFFFFFF, qRgb(0, 0, 240) & 0xFFFFFF);
}

}  // namespace
}  // namespace tessemar
