#include "RenderTestSupport.h"

#include "render/CornerDrawing.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

CornerLook DistinctLook() {
    CornerLook look;
    look.buttonFace = QColor(200, 200, 190);
    look.activeCaption = QColor(0, 0, 100);
    look.gradientActiveCaption = QColor(0, 200, 250);
    look.inactiveCaption = QColor(90, 90, 90);
    look.gradientInactiveCaption = QColor(190, 190, 190);
    look.captionText = QColor(255, 255, 0);
    look.captionHeight = 18;
    return look;
}

QImage Checkerboard(int w, int h) {
    QImage preview(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            preview.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    }
    return preview;
}

TEST(CornerDrawing, PreviewPlacementKeepsTheProportions) {
    struct Case {
        QSize client;
        int w, h;
        Rect frame, picture;
    };
    const Case cases[] = {
        // Wide pane: the height below the caption limits the picture (a = 82, pw = 82, ph = 80).
        {{300, 100}, 15, 15, {111, 21, 189, 98}, {113, 23, 187, 96}},
        // Tall pane: the width limits it (pw = 100, ph = 50).
        {{100, 300}, 20, 10, {2, 136, 98, 183}, {4, 138, 96, 181}},
    };
    for (const Case& k : cases) {
        CornerPreviewPlacement p = PlaceCornerPreview(k.client, 18, k.w, k.h);
        EXPECT_EQ(p.frame, k.frame) << k.client.width();
        EXPECT_EQ(p.picture, k.picture) << k.client.width();
    }
    // Degenerate sizes give rectangles without crashing.
    PlaceCornerPreview(QSize(0, 0), 18, 250, 1);
    PlaceCornerPreview(QSize(5, 5), 18, 1, 250);
}

TEST(CornerDrawing, CaptionTitleButtonAndPreviewAreDrawnAndHitWhereTheyAre) {
    const CornerLook look = DistinctLook();
    const QSize client(160, 140);
    const QImage preview = Checkerboard(8, 8);
    auto corner = [&](bool active, bool showPreview, bool pressed) {
        return RenderCorner(client, look, {QStringLiteral("Title"), active, showPreview, pressed},
                            preview);
    };
    const QImage shown = corner(true, true, false);

    // The caption bar runs from the active caption colour to its gradient partner.
    EXPECT_EQ(test::Pixel(shown, 1, 17), look.activeCaption.rgb());
    EXPECT_EQ(test::Pixel(shown, 0, 5), look.buttonFace.rgb());
    EXPECT_EQ(test::Pixel(corner(false, true, false), 1, 17), look.inactiveCaption.rgb());

    // The title's ink stays in its box left of the button.
    const Rect button = CornerCaptionButtonRect(client.width(), look.captionHeight);
    int titleInk = 0;
    for (int y = 1; y <= look.captionHeight; ++y) {
        for (int x = 1; x < button.left - 2; ++x)
            titleInk += test::Pixel(shown, x, y) == look.captionText.rgb();
    }
    EXPECT_GT(titleInk, 0);

    // The preview, scaled without smoothing: each pixel is one of the two colours.
    const CornerPreviewPlacement place = PlaceCornerPreview(client, look.captionHeight, 8, 8);
    for (int y = place.picture.top; y < place.picture.bottom; ++y) {
        for (int x = place.picture.left; x < place.picture.right; ++x) {
            QRgb p = test::Pixel(shown, x, y);
            ASSERT_TRUE(p == qRgb(255, 0, 0) || p == qRgb(0, 0, 255)) << x << "," << y;
        }
    }
    // Without the preview the same area is plain button face, and the button changes its look.
    const QImage hidden = corner(true, false, false);
    for (int y = place.frame.top; y < place.frame.bottom; ++y) {
        for (int x = place.frame.left; x < place.frame.right; ++x)
            ASSERT_EQ(test::Pixel(hidden, x, y), look.buttonFace.rgb());
    }
    auto buttonOf = [&](const QImage& image) {
        return image.copy(button.left, button.top, button.Width(), button.Height());
    };
    EXPECT_GT(test::DifferentPixels(buttonOf(shown), buttonOf(hidden)), 0);
    // Pressed looks different again.
    EXPECT_GT(test::DifferentPixels(buttonOf(corner(true, true, true)), buttonOf(shown)), 0);

    // A long title is shortened: no title ink from the right end of the title box on.
    const QImage longTitle =
        RenderCorner(client, look, {QString(200, QLatin1Char('W')), true, true, false}, QImage());
    for (int y = 0; y < look.captionHeight + 2; ++y) {
        for (int x = client.width() - look.captionHeight + 1; x < client.width(); ++x) {
            ASSERT_NE(test::Pixel(longTitle, x, y), look.captionText.rgb()) << x << "," << y;
        }
    }
    // The button and the title are hit where they are drawn.
    EXPECT_TRUE(IsOnCornerCaptionButton(client.width(), look.captionHeight, button.left, 3));
    EXPECT_FALSE(IsOnCornerCaptionButton(client.width(), look.captionHeight, button.left, 2));
    EXPECT_FALSE(
        IsOnCornerCaptionButton(client.width(), look.captionHeight, client.width() - 1, 5));
    EXPECT_TRUE(IsOnCornerCaptionTitle(client.width(), look.captionHeight, 10, 5));
    EXPECT_FALSE(IsOnCornerCaptionTitle(client.width(), look.captionHeight, button.left, 5));
    // A pane of nothing draws nothing and does not crash.
    RenderCorner(QSize(0, 0), look, {}, QImage());
    RenderCorner(QSize(3, 2), look, {QStringLiteral("x"), true, true, true}, Checkerboard(250, 1));
}

}  // namespace
}  // namespace tessemar
