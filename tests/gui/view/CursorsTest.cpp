#include "gui/view/Cursors.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

namespace tessemar {
namespace {

enum Ink { Clear, Dark, Light };

// A logical pixel of the 32 x 32 art and what must be there: it tells the looks apart (paint
// or erase, which way an arrow points), so a kind wired to the wrong file fails.
struct Probe {
    int x;
    int y;
    Ink ink;
};

struct Case {
    int kind;
    Qt::CursorShape shape;
    std::vector<Probe> probes;
};

Ink InkAt(const QImage& image, int scale, int x, int y) {
    const QColor c = image.pixelColor(x * scale + scale / 2, y * scale + scale / 2);
    if (c.alpha() < 64)
        return Clear;
    return c.lightness() < 96 ? Dark : Light;
}

bool OpaqueNear(const QImage& image, QPoint device, int radius) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = device + QPoint(dx, dy);
            if (image.rect().contains(p) && image.pixelColor(p).alpha() >= 128)
                return true;
        }
    }
    return false;
}

TEST(Cursors, EveryKindHasItsLookAndAHotSpotOnIt) {
    constexpr auto Art = Qt::BitmapCursor;
    const std::vector<Case> cases = {
        {0, Qt::ArrowCursor, {}},
        {4, Qt::IBeamCursor, {}},
        // Pen and crosshair: the square beside them is painted, or empty and struck through.
        {1, Art, {{24, 24, Dark}, {10, 21, Dark}}},
        {-1, Art, {{24, 24, Light}, {10, 21, Dark}}},
        {2, Art, {{24, 24, Dark}, {15, 8, Dark}, {10, 21, Clear}}},
        {-2, Art, {{24, 24, Light}, {15, 8, Dark}}},
        // The bucket's drop is paint, or empty with a cross beside it.
        {3, Art, {{10, 26, Dark}, {25, 25, Clear}}},
        {-3, Art, {{10, 26, Light}, {25, 25, Dark}}},
        {9, Art, {{15, 8, Dark}, {25, 25, Clear}}},
        // Handles: ink both ways along the arrow from the middle, none across it; one diagonal
        // and one straight handle stand for the eight, which share four pictures.
        {10, Art, {{8, 8, Dark}, {22, 22, Dark}, {22, 8, Clear}}},
        {14, Art, {{15, 6, Dark}, {15, 24, Dark}, {6, 15, Clear}}},
        {18, Art, {{6, 15, Dark}, {24, 15, Dark}, {15, 6, Dark}, {15, 24, Dark}, {22, 22, Clear}}},
        // Margin arrows: the shaft trails behind the tip, nothing lies past it.
        {20, Art, {{12, 12, Dark}, {20, 6, Clear}}},
        {21, Art, {{15, 15, Dark}, {26, 15, Clear}, {15, 6, Clear}}},
        {22, Art, {{15, 15, Dark}, {15, 26, Clear}, {6, 15, Clear}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        const QCursor cursor = CursorOfKind(c.kind);
        ASSERT_EQ(cursor.shape(), c.shape);
        if (c.shape != Art)
            continue;
        const QPixmap pixmap = cursor.pixmap();
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        const int scale = qRound(pixmap.devicePixelRatio());
        const QImage image = pixmap.toImage();
        const QPoint hot = cursor.hotSpot();
        ASSERT_TRUE(QRect(0, 0, 32, 32).contains(hot)) << hot.x() << "," << hot.y();
        const QPoint hotDevice = hot * scale + QPoint(scale / 2, scale / 2);
        EXPECT_TRUE(OpaqueNear(image, hotDevice, scale)) << hot.x() << "," << hot.y();
        for (const Probe& p : c.probes)
            EXPECT_EQ(InkAt(image, scale, p.x, p.y), p.ink) << "at " << p.x << "," << p.y;
    }
}

}  // namespace
}  // namespace tessemar
