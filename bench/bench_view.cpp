// The document window's panes on a large puzzle: the first paint of a whole window, one scroll
// step of the picture pane (the picture and both clue panes move), and the memory after
// opening, painting and scrolling across the whole sheet.
//
// Memory figures are the process's resident set (VmRSS) and its peak (VmHWM), Qt's libraries
// included; run one cell size per process for a clean peak, e.g.
//   bench_view --benchmark_filter='BM_ScrollAcrossWholeSheet/51'
//
// Release build, offscreen platform, 1280 x 960 window, 2-core machine under load (load
// average 8; wall / CPU time): first paint of a 250 x 250 puzzle with 125-deep clue lines
// 33 / 16 ms at cell size 17, 37 / 19 ms at 11, 27 / 12 ms at 51 (30 x 30: 14 / 6 ms); one
// scroll step 5.5 / 2.5 ms at 17 and 6.1 / 2.6 ms at 51. After scrolling page by page across
// the whole sheet: resident 82 MB (peak 87 MB) at cell size 17 and 88 MB (peak 88 MB) at 51,
// of which the tile cache is 48 MB.
#include "QtBenchSupport.h"

#include "core/document/CLogicDoc.h"
#include "gui/view/CLogicView.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"

#include <QApplication>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>

namespace tessemar {
namespace {

using bench::MakeDeepCluesDocument;
using bench::ReportMemory;

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;

// What a document window holds: the companion with its canvas and the pane grid.
struct Window {
    explicit Window(CLogicDoc& doc) : companion(doc), grid(companion) {
        grid.resize(kWindowWidth, kWindowHeight);
    }
    CViewCompanion companion;
    CPaneGrid grid;
};

void Flush() {
    QCoreApplication::processEvents();
}

// Shows the window and paints it completely, as its first appearance on screen does.
void ShowAndPaint(Window& window) {
    window.grid.show();
    while (!window.grid.windowHandle() || !window.grid.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    window.grid.repaint();
}

// Opening a document window: canvas, panes, initial update and the first paint of all four
// panes into the window.
void BM_FirstPaint(benchmark::State& state) {
    auto doc =
        MakeDeepCluesDocument(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        Window window(*doc);
        ShowAndPaint(window);
        state.counters["tiles"] = static_cast<double>(window.companion.Canvas().CachedTiles());
    }
    ReportMemory(state);
}
BENCHMARK(BM_FirstPaint)
    ->Args({30, 17})
    ->Args({250, 11})
    ->Args({250, 17})
    ->Args({250, 51})
    ->Unit(benchmark::kMillisecond);

// One step of the picture pane's scroll bars, one cell across and half a cell down: the
// panes move their pixels and paint the strips that come into view.
void BM_ScrollStep(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    auto doc = MakeDeepCluesDocument(250, cellSize);
    Window window(*doc);
    ShowAndPaint(window);
    QScrollBar* across = window.grid.HorizontalScrollBar(1);
    QScrollBar* down = window.grid.VerticalScrollBar(1);
    int step = 0;
    for (auto _ : state) {
        ++step;
        across->setValue((step * cellSize) % std::max(1, across->maximum()));
        down->setValue((step * cellSize / 2) % std::max(1, down->maximum()));
        Flush();
    }
    ReportMemory(state);
}
BENCHMARK(BM_ScrollStep)->Arg(17)->Arg(51)->Unit(benchmark::kMillisecond);

// Memory: open, paint, then scroll page by page across the whole sheet so that every part of
// the layout is drawn once.
void BM_ScrollAcrossWholeSheet(benchmark::State& state) {
    const int cellSize = static_cast<int>(state.range(0));
    auto doc = MakeDeepCluesDocument(250, cellSize);
    for (auto _ : state) {
        Window window(*doc);
        ShowAndPaint(window);
        QScrollBar* across = window.grid.HorizontalScrollBar(1);
        QScrollBar* down = window.grid.VerticalScrollBar(1);
        for (int y = 0;; y += down->pageStep()) {
            down->setValue(y);
            for (int x = 0;; x += across->pageStep()) {
                across->setValue(x);
                Flush();
                if (x >= across->maximum())
                    break;
            }
            if (y >= down->maximum())
                break;
        }
        state.counters["cache_MB"] =
            static_cast<double>(window.companion.Canvas().CachedBytes()) / (1 << 20);
        ReportMemory(state);
    }
}
BENCHMARK(BM_ScrollAcrossWholeSheet)
    ->Arg(17)
    ->Arg(51)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QApplication>(argc, argv);
}
