// Drawing the puzzle sheet: first paint of a document window, a full drawing, one-cell redraws,
// scrolling, and the memory a large document takes at the smallest and largest cell sizes.
//
// Memory figures are the process's resident set (VmRSS) and its peak (VmHWM); run one cell size
// per process for a clean peak, e.g.
//   bench_render --benchmark_filter='BM_ScrollWholeLayout/51'
//
// Release build, 2-core machine under load (CPU time): first paint of all four panes of a
// 1280 x 960 window on a 250 x 250 puzzle with 125-deep clue lines 7 ms at cell size 17, 13 ms
// at 11, 6 ms at 51 (30 x 30: 3 ms); whole 30 x 30 layout 2.3 ms; one-cell redraw and repaint
// 0.12 ms; every cell and slot of 250 x 250 changed and repainted 14 ms; scroll step 0.6 ms
// (cell size 17) and 0.9 ms (51). Peak resident set after scrolling over the whole 250 x 250
// layout: 64 MB at cell size 11, 81 MB at 17, 82 MB at 51 (tile cache 48 MB).
#include "QtBenchSupport.h"

#include "core/document/CLogicDoc.h"
#include "render/CornerDrawing.h"
#include "render/LayoutCanvas.h"
#include "render/ViewGeometry.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace tessemar {
namespace {

using bench::ReportMemory;

// A window of 1280 x 960 split as the document window starts: 100 pixels for the clue panes.
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;
constexpr int kCluePane = 100;

// A puzzle whose clue lines are as deep as a real one gets: a picture of short runs, about half
// the slots of every line in use.
std::unique_ptr<CLogicDoc> MakeDocument(int size, int cellSize) {
    PuzzleModel m;
    m.columnCount = size;
    m.rowCount = size;
    m.cellSize = cellSize;
    std::mt19937 random(size * 1000 + cellSize);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y)
            m.cells[x][y] = static_cast<std::int8_t>(random() % 3 == 0 ? 0 : 1 + random() % 8);
    }
    for (int line = 0; line < size; ++line) {
        for (int k = 0; k < size / 2; ++k) {
            m.rowClueNumbers[k][line] = static_cast<std::uint8_t>(1 + random() % 3);
            m.rowClueColors[k][line] = static_cast<std::uint8_t>(1 + random() % 8);
            m.columnClueNumbers[line][k] = static_cast<std::uint8_t>(1 + random() % 3);
            m.columnClueColors[line][k] = static_cast<std::uint8_t>(1 + random() % 8);
        }
    }
    auto doc = std::make_unique<CLogicDoc>();
    doc->ReplaceModel(m);
    return doc;
}

struct Window {
    QImage corner{kCluePane, kCluePane, QImage::Format_RGB32};
    QImage columnClues{kWindowWidth - kCluePane, kCluePane, QImage::Format_RGB32};
    QImage rowClues{kCluePane, kWindowHeight - kCluePane, QImage::Format_RGB32};
    QImage picture{kWindowWidth - kCluePane, kWindowHeight - kCluePane, QImage::Format_RGB32};
};

// What the four panes of a document window paint, with the picture scrolled to (sx, sy).
void PaintWindow(LayoutCanvas& canvas, const CLogicDoc& doc, Window& window, int sx, int sy) {
    const LayoutGeometry& g = canvas.Geometry();
    const auto depth = GetUsedClueDepth(doc.Model());
    auto paintPane = [&](Pane pane, QImage& image, PixelPoint scroll) {
        PaneView view{{image.width(), image.height()}, scroll, ComputeScrollSize(pane, g, depth)};
        PixelPoint origin = PaneToLayout(pane, g, view, 0, 0);
        QPainter painter(&image);
        canvas.Paint(painter,
                     {origin.x, origin.y, origin.x + image.width(), origin.y + image.height()},
                     QPoint(0, 0));
    };
    PixelSize clueSize = ComputeScrollSize(CornerPane, g, depth);
    paintPane(ColumnCluePane, window.columnClues, {sx, std::max(0, clueSize.cy - kCluePane)});
    paintPane(RowCluePane, window.rowClues, {std::max(0, clueSize.cx - kCluePane), sy});
    paintPane(PicturePane, window.picture, {sx, sy});
    QPainter corner(&window.corner);
    DrawCorner(corner, window.corner.size(), CornerLook{},
               CornerState{QStringLiteral("Benchmark"), true, true, false}, canvas.Preview());
}

// Opening a document window: a new canvas and the first paint of all four panes.
void BM_FirstPaint(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const int cellSize = static_cast<int>(state.range(1));
    auto doc = MakeDocument(size, cellSize);
    Window window;
    for (auto _ : state) {
        LayoutCanvas canvas(*doc);
        PaintWindow(canvas, *doc, window, 0, 0);
        benchmark::DoNotOptimize(window.picture.constBits());
    }
    ReportMemory(state);
}
BENCHMARK(BM_FirstPaint)
    ->Args({30, 17})
    ->Args({250, 17})
    ->Args({250, 11})
    ->Args({250, 51})
    ->Unit(benchmark::kMillisecond);

// The whole layout drawn at once, as for an export of a small document.
void BM_FullRender(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto doc = MakeDocument(size, 17);
    for (auto _ : state) {
        LayoutStyle style(doc->Model(), {});
        QImage image = RenderLayoutImage(doc->Model(), style, style.BitmapRect());
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = [&] {
        LayoutStyle style(doc->Model(), {});
        return static_cast<double>(style.BitmapRect().Width()) * style.BitmapRect().Height();
    }();
}
BENCHMARK(BM_FullRender)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

// The same through the canvas, tile by tile.
void BM_FullRenderTiled(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto doc = MakeDocument(size, 17);
    for (auto _ : state) {
        LayoutCanvas canvas(*doc);
        canvas.SetCacheLimit(0);
        PixelSize bitmap = canvas.BitmapSize();
        QImage image(bitmap.cx, bitmap.cy, QImage::Format_RGB32);
        QPainter painter(&image);
        canvas.Paint(painter, {0, 0, bitmap.cx, bitmap.cy}, QPoint(0, 0));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullRenderTiled)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

// A pen stroke: one cell changes, the canvas redraws it and the picture pane repaints.
void BM_OneCellRedraw(benchmark::State& state) {
    auto doc = MakeDocument(250, 17);
    LayoutCanvas canvas(*doc);
    Window window;
    PaintWindow(canvas, *doc, window, 0, 0);
    int i = 0;
    for (auto _ : state) {
        int x = i % 20;
        int y = (i / 20) % 20;
        doc->SetCell(x, y, static_cast<std::int8_t>(doc->Cell(x, y) == 1 ? 2 : 1));
        QPainter painter(&window.picture);
        const LayoutGeometry& g = canvas.Geometry();
        PixelRect cell = g.CellInterior(x, y);
        canvas.Paint(painter, cell,
                     QPoint(cell.left - g.clueAreaWidth(), cell.top - g.clueAreaHeight()));
        ++i;
    }
}
BENCHMARK(BM_OneCellRedraw)->Unit(benchmark::kMicrosecond);

// A command that changes every cell and clue slot (a solve or "Calculate number" on 250 x 250),
// with the window open, then the repaint.
void BM_WholePuzzleChange(benchmark::State& state) {
    auto doc = MakeDocument(250, 17);
    LayoutCanvas canvas(*doc);
    Window window;
    PaintWindow(canvas, *doc, window, 0, 0);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int x = 0; x < 250; ++x) {
            for (int y = 0; y < 250; ++y)
                doc->SetCell(x, y, static_cast<std::int8_t>((x + y + round) % 9));
        }
        for (int line = 0; line < 250; ++line) {
            for (int k = 0; k < 125; ++k) {
                doc->SetClueNumber(SideRow, k, line, (k + round) % 7 + 1, 1);
                doc->SetClueNumber(SideColumn, line, k, (k + round) % 5 + 1, 2);
            }
        }
        PaintWindow(canvas, *doc, window, 0, 0);
    }
}
BENCHMARK(BM_WholePuzzleChange)->Unit(benchmark::kMillisecond);

// The picture scrolled by one cell: the picture and both clue panes repaint.
void BM_ScrollStep(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    auto doc = MakeDocument(250, cellSize);
    LayoutCanvas canvas(*doc);
    Window window;
    const PixelSize picture =
        ComputeScrollSize(PicturePane, canvas.Geometry(), GetUsedClueDepth(doc->Model()));
    const int maxX = std::max(1, picture.cx - window.picture.width());
    int step = 0;
    for (auto _ : state) {
        int sx = (step * cellSize) % maxX;
        PaintWindow(canvas, *doc, window, sx, sx / 2);
        ++step;
    }
    ReportMemory(state);
}
BENCHMARK(BM_ScrollStep)->Arg(17)->Arg(51)->Unit(benchmark::kMillisecond);

// Memory: scroll the window over the whole of a 250 x 250 layout, pane by pane, so that every
// tile is drawn once; the canvas keeps only its cache.
void BM_ScrollWholeLayout(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    auto doc = MakeDocument(250, cellSize);
    Window window;
    for (auto _ : state) {
        LayoutCanvas canvas(*doc);
        const PixelSize picture =
            ComputeScrollSize(PicturePane, canvas.Geometry(), GetUsedClueDepth(doc->Model()));
        for (int sy = 0; sy < picture.cy; sy += window.picture.height()) {
            for (int sx = 0; sx < picture.cx; sx += window.picture.width())
                PaintWindow(canvas, *doc, window, sx, sy);
        }
        state.counters["cache_MB"] = static_cast<double>(canvas.CachedBytes()) / (1 << 20);
    }
    ReportMemory(state);
}
BENCHMARK(BM_ScrollWholeLayout)
    ->Arg(11)
    ->Arg(17)
    ->Arg(51)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QGuiApplication>(argc, argv);
}
