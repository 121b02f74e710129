#pragma once

#include "core/document/PuzzleModel.h"
#include "render/LayoutRenderer.h"

#include <QImage>

#include <random>

namespace tessemar::test {

inline PuzzleModel MakeModel(int w, int h, int cellSize = 17) {
    PuzzleModel m;
    m.columnCount = w;
    m.rowCount = h;
    m.cellSize = cellSize;
    return m;
}

// A puzzle with every kind of cell and clue slot: colours, X marks, blanks, numbers of one to
// three digits in every colour, empty slots between numbers.
inline PuzzleModel RandomModel(int w, int h, int cellSize, unsigned seed) {
    PuzzleModel m = MakeModel(w, h, cellSize);
    std::mt19937 random(seed);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            m.cells[x][y] = static_cast<std::int8_t>(static_cast<int>(random() % 11) - 1);
    }
    auto number = [&]() -> std::uint8_t {
        int pick = static_cast<int>(random() % 6);
        if (pick == 0)
            return kEmptySlot;
        if (pick == 1)
            return static_cast<std::uint8_t>(100 + random() % 155);
        return static_cast<std::uint8_t>(random() % 30);
    };
    for (int y = 0; y < h; ++y) {
        for (int k = 0; k < w; k += 1 + static_cast<int>(random() % 2)) {
            m.rowClueNumbers[k][y] = number();
            m.rowClueColors[k][y] = static_cast<std::uint8_t>(random() % 10);
        }
    }
    for (int x = 0; x < w; ++x) {
        for (int k = 0; k < h; k += 1 + static_cast<int>(random() % 2)) {
            m.columnClueNumbers[x][k] = number();
            m.columnClueColors[x][k] = static_cast<std::uint8_t>(1 + random() % 8);
        }
    }
    return m;
}

inline QImage RenderWhole(const PuzzleModel& m, const LayoutStyle& style) {
    return RenderLayoutImage(m, style, style.BitmapRect());
}

inline QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

// Number of pixels that differ between two images of the same size (all of them when the sizes
// differ).
inline long DifferentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return static_cast<long>(a.width()) * a.height() + 1;
    long count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += Pixel(a, x, y) != Pixel(b, x, y);
    }
    return count;
}

}  // namespace tessemar::test
