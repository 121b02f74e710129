// Solving 250 x 250 puzzles through the window's solve controller on a real event loop, with
// "Refresh View with Solving" off and on: the longest stall of the GUI thread (the largest gap
// between the ticks of a 1 ms timer) while the worker runs and at the end of the run (the
// write-back), and the solve time with cells painted relative to the time without.
//
// The document has a layout canvas listening to it, as a document window would, and a refresh
// repaints an 800 x 600 pane from it the way a widget's update() does, so the GUI thread does
// the drawing work a window does. Puzzles come from ../shared/puzzles; a missing one is skipped.
#include "QtBenchSupport.h"

#include "core/document/CLogicDoc.h"
#include "core/formats/PuzzleFiles.h"
#include "core/solver/SolveResult.h"
#include "gui/solver/CSolveController.h"
#include "render/LayoutCanvas.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

namespace tessemar {
namespace {

const char* const kPuzzles[] = {
    "generated/G05-shapes-250x250.non",  // line logic alone: every cell painted while solving
    "generated/G04-shapes-250x250-c8.xml",
    "generated/N04-noise-250x250.non",  // mostly proof by contradiction
};

// The corpus lies beside the project: <project>/../shared/puzzles.
std::string PuzzlePath(int index) {
    const std::filesystem::path project =
        std::filesystem::path(__FILE__).parent_path().parent_path();
    return (project.parent_path() / "shared" / "puzzles" / kPuzzles[index]).string();
}

// Notes when the end of the run begins; the rest of the status bar is not drawn here.
class TimedStatus : public SolverStatusDisplay {
  public:
    explicit TimedStatus(const QElapsedTimer& clock) : clock_(clock) {}
    void SetSolverMessage(const QString&) override {}
    void SetSolverIcon(Icon) override {}
    void ShowSolverProgress() override {}
    void SetSolverProgress(int, const QString&) override {}
    void HideSolverProgress() override { endNs = clock_.nsecsElapsed(); }
    void StartSolverAnimation() override {}
    void StopSolverAnimation() override {}
    qint64 endNs = -1;

  private:
    const QElapsedTimer& clock_;
};

class SilentDialogs : public SolveDialogs {
  public:
    bool AskSolveAnyway(const QString&) override { return true; }
    void ShowContradiction(const QString&) override {}
    void ShowReport(const Report&) override {}
    void PlaySound(Sound) override {}
};

struct RunFigures {
    double solveMs = 0;
    double runStallMs = 0;  // longest gap while the worker ran
    double endStallMs = 0;  // the gap that holds the end of the run
};

RunFigures SolveOnce(const std::string& path, int updateView) {
    std::unique_ptr<CLogicDoc> doc = OpenPuzzleFile(path);
    LayoutCanvas canvas(*doc);
    QImage pane(800, 600, QImage::Format_RGB32);

    AppSettings settings;
    settings.updateView = updateView;
    settings.resultMode = 2;
    QElapsedTimer clock;
    TimedStatus status(clock);
    CSolveController controller(
        settings, status, [&doc] { return doc.get(); }, nullptr);
    controller.SetDialogs(std::make_unique<SilentDialogs>());
    const auto paintPane = [&] {
        QPainter painter(&pane);
        canvas.Paint(painter, Rect{0, 0, pane.width(), pane.height()}, QPoint(0, 0));
    };
    // An open window has painted its panes before the user asks for a solve.
    paintPane();
    // The canvas announces each redrawn cell; the pane asks for a repaint as QWidget::update()
    // does: requests made before the next turn of the event loop are served by one paint.
    bool repaintPending = false;
    QObject context;
    QObject::connect(&canvas, &LayoutCanvas::RegionChanged, &context, [&] {
        if (repaintPending)
            return;
        repaintPending = true;
        QMetaObject::invokeMethod(
            &context,
            [&] {
                repaintPending = false;
                paintPane();
            },
            Qt::QueuedConnection);
    });

    RunFigures figures;
    QEventLoop loop;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    qint64 lastTick = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double gapMs = static_cast<double>(now - lastTick) / 1e6;
        if (status.endNs >= lastTick && status.endNs <= now)
            figures.endStallMs = std::max(figures.endStallMs, gapMs);
        else
            figures.runStallMs = std::max(figures.runStallMs, gapMs);
        lastTick = now;
        if (controller.IsIdle())
            loop.quit();
    });

    clock.start();
    controller.StartSolving(SolveCommandSolve);
    ticker.start();
    loop.exec();
    figures.solveMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return figures;
}

// One iteration solves the puzzle with refreshing off, then on.
void BM_SolveFromWindow(benchmark::State& state) {
    const std::string path = PuzzlePath(static_cast<int>(state.range(0)));
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("puzzle corpus not found");
        return;
    }
    RunFigures off, on;
    double offTotal = 0, onTotal = 0;
    for (auto _ : state) {
        const RunFigures a = SolveOnce(path, 0);
        const RunFigures b = SolveOnce(path, 1);
        offTotal += a.solveMs;
        onTotal += b.solveMs;
        off.runStallMs = std::max(off.runStallMs, a.runStallMs);
        off.endStallMs = std::max(off.endStallMs, a.endStallMs);
        on.runStallMs = std::max(on.runStallMs, b.runStallMs);
        on.endStallMs = std::max(on.endStallMs, b.endStallMs);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["off_ms"] = offTotal / n;
    state.counters["on_ms"] = onTotal / n;
    state.counters["ratio"] = offTotal > 0 ? onTotal / offTotal : 0;
    state.counters["stall_off_ms"] = off.runStallMs;
    state.counters["stall_on_ms"] = on.runStallMs;
    state.counters["end_off_ms"] = off.endStallMs;
    state.counters["end_on_ms"] = on.endStallMs;
    state.SetLabel(kPuzzles[state.range(0)]);
}
BENCHMARK(BM_SolveFromWindow)
    ->DenseRange(0, 2)
    ->ArgName("puzzle")
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QApplication>(argc, argv);
}
