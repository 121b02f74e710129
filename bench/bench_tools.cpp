// The picture tools on a 250 x 250 puzzle at cell size 17 in a 1280 x 960 window: one mouse
// move of a pen stroke with the repaint of its cell, one step of the rectangle's rubber band
// and of the line's preview, and a paint fill of the whole blank picture from the click until
// the pane has been painted. Each figure includes the event handling and the paint the event
// loop does for it.
#include "QtBenchSupport.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CLogicView.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace tessemar {
namespace {

constexpr int kSize = 250;
constexpr int kCellSize = 17;

struct Window {
    explicit Window(CLogicDoc& doc) : companion(doc), session(doc, settings), grid(companion) {
        companion.SetSession(&session);
        grid.resize(1280, 960);
        grid.show();
        while (!grid.windowHandle() || !grid.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        grid.repaint();
    }
    CLogicView* Picture() const { return grid.View(PicturePane); }
    // A point inside cell (x, y) of the part of the picture the pane shows.
    QPoint PointOfCell(int x, int y) const {
        const LayoutGeometry& geometry = companion.Canvas().Geometry();
        const Rect window = Picture()->LayoutWindow();
        return {geometry.CellLeft(x) + kCellSize / 2 - window.left, geometry.CellTop(y) + kCellSize / 2 - window.top};
    }
    void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x, int y) const {
        const QPointF at = PointOfCell(x, y);
        QMouseEvent event(type, at, Picture()->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(Picture(), &event);
    }

    AppSettings settings;
    CViewCompanion companion;
    CEditSession session;
    CPaneGrid grid;
};

std::unique_ptr<CLogicDoc> BlankDocument() {
    return std::make_unique<CLogicDoc>(DocumentDefaults{.columnCount = kSize, .rowCount = kSize, .cellSize = kCellSize});
}

// Moves of a held button, each to a cell not visited before among those the pane shows, each
// handled and painted.
void DragSteps(benchmark::State& state, int tool) {
    auto doc = BlankDocument();
    Window window(*doc);
    window.settings.tool = tool;
    window.Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 0, 0);
    int step = 0;
    for (auto _ : state) {
        ++step;
        window.Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, step % 30, step / 30 % 30);
        QCoreApplication::processEvents();
    }
    window.Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 0, 0);
}

void BM_PenMove(benchmark::State& state) { DragSteps(state, ToolPen); }
BENCHMARK(BM_PenMove)->Iterations(800)->Unit(benchmark::kMillisecond);

void BM_RectanglePreviewStep(benchmark::State& state) { DragSteps(state, ToolRectangle); }
BENCHMARK(BM_RectanglePreviewStep)->Iterations(800)->Unit(benchmark::kMillisecond);

void BM_LinePreviewStep(benchmark::State& state) { DragSteps(state, ToolStraightLine); }
BENCHMARK(BM_LinePreviewStep)->Iterations(800)->Unit(benchmark::kMillisecond);

void BM_FillWholePicture(benchmark::State& state) {
    auto doc = BlankDocument();
    Window window(*doc);
    window.settings.tool = ToolPaint;
    for (auto _ : state) {
        window.Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 3, 3);
        window.Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 3, 3);
        QCoreApplication::processEvents();
        state.PauseTiming();
        doc->Undo(1);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillWholePicture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QApplication>(argc, argv);
}
