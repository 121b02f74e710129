// Drawing the puzzle sheet with the layout canvas: a whole drawing, tile by tile or at once,
// one-cell redraws and a change of every cell and slot with the panes repainted. The document
// window itself (first paint, scrolling, memory) is measured by bench_view.
//
// Release build, 2-core machine under load (CPU time): whole 30 x 30 layout 2.3 ms; one-cell
// redraw and repaint 0.12 ms; every cell and slot of 250 x 250 changed and repainted 14 ms.
#include "QtBenchSupport.h"

#include "core/document/CLogicDoc.h"
#include "render/CornerDrawing.h"
#include "render/LayoutCanvas.h"
#include "render/ViewGeometry.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace tessemar {
namespace {

using bench::MakeDeepCluesDocument;

// A window of 1280 x 960 split as the document window starts: 100 pixels for the clue panes.
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;
constexpr int kCluePane = 100;

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

// The whole layout drawn at once, as for an export of a small document.
void BM_FullRender(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto doc = MakeDeepCluesDocument(size, 17);
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
    auto doc = MakeDeepCluesDocument(size, 17);
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
    auto doc = MakeDeepCluesDocument(250, 17);
    LayoutCanvas canvas(*doc);
    Window window;
    PaintWindow(canvas, *doc, window, 0, 0);
    int i = 0;
    for (auto _ : state) {
        int x = i % 20;
        int y = (i / 20) % 20;
        doc->WriteCell(x, y, static_cast<std::int8_t>(doc->Cell(x, y) == 1 ? 2 : 1));
        QPainter painter(&window.picture);
        const LayoutGeometry& g = canvas.Geometry();
        Rect cell = g.CellInterior(x, y);
        canvas.Paint(painter, cell,
                     QPoint(cell.left - g.clueAreaWidth(), cell.top - g.clueAreaHeight()));
        ++i;
    }
}
BENCHMARK(BM_OneCellRedraw)->Unit(benchmark::kMicrosecond);

// A command that changes every cell and clue slot (a solve or "Calculate number" on 250 x 250),
// with the window open, then the repaint.
void BM_WholePuzzleChange(benchmark::State& state) {
    auto doc = MakeDeepCluesDocument(250, 17);
    LayoutCanvas canvas(*doc);
    Window window;
    PaintWindow(canvas, *doc, window, 0, 0);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int x = 0; x < 250; ++x) {
            for (int y = 0; y < 250; ++y)
                doc->WriteCell(x, y, static_cast<std::int8_t>((x + y + round) % 9));
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

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QGuiApplication>(argc, argv);
}
