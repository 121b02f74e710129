// Typing clues on a 250 x 250 puzzle with 125-deep clue lines at cell size 17 in a 1280 x 960
// window: one step of typing is a digit and Space, which stores the number (one undo entry)
// and opens the box on the next slot of the line, until the panes have been painted. The clue
// panes keep their first size, so the row clue pane scrolls along every few slots as a user's
// would.
//
// Besides the time, the counters say what the clue panes repainted per step: the painted area
// as a share of the pane's area, and how many paints took the whole pane (there must be none).
#include "QtBenchSupport.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/view/CClueEditor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CLogicView.h"
#include "gui/view/CNumberBox.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace tessemar {
namespace {

constexpr int kSize = 250;
constexpr int kCellSize = 17;

// Adds up what a pane is asked to paint.
class PaintMeter : public QObject {
  public:
    explicit PaintMeter(QWidget& pane) : pane_(pane) { pane.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (!on || event->type() != QEvent::Paint)
            return false;
        const QRegion region = static_cast<QPaintEvent*>(event)->region();
        for (const QRect& r : region)
            pixels += static_cast<double>(r.width()) * r.height();
        if (QRegion(pane_.rect()).subtracted(region).isEmpty())
            ++whole;
        return false;
    }
    double Share() const { return pixels / (static_cast<double>(pane_.width()) * pane_.height()); }

    QWidget& pane_;
    bool on = true;
    double pixels = 0;
    int whole = 0;
};

struct Window {
    explicit Window(CLogicDoc& doc)
        : companion(doc),
          session(doc, settings),
          grid(companion),
          editor(session, companion, grid) {
        companion.SetSession(&session);
        companion.SetEditor(&editor);
        grid.resize(1280, 960);
        grid.show();
        while (!grid.windowHandle() || !grid.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        grid.repaint();
    }
    void Key(Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&editor.Box(), &press);
    }

    AppSettings settings;
    CViewCompanion companion;
    CEditSession session;
    CPaneGrid grid;
    CClueEditor editor;
};

// Typing from the picture outwards (ShiftDirection 0): Space stores and moves one slot out.
void BM_StoreAndOpenNextSlot(benchmark::State& state) {
    auto doc = bench::MakeDeepCluesDocument(kSize, kCellSize);
    Window window(*doc);
    window.settings.shiftDirection = 0;
    int row = 0;
    window.editor.OpenNumberBox({SideRow, 0, row});
    QCoreApplication::processEvents();
    PaintMeter rowPane(*window.grid.View(RowCluePane));
    PaintMeter columnPane(*window.grid.View(ColumnCluePane));
    int steps = 0;
    for (auto _ : state) {
        window.Key(Qt::Key_7, QStringLiteral("7"));
        window.Key(Qt::Key_Space, QStringLiteral(" "));
        QCoreApplication::processEvents();
        ++steps;
        // Within the used depth of the lines: the next row starts before the line ends.
        if (steps % 100 == 0) {
            state.PauseTiming();
            rowPane.on = columnPane.on = false;
            window.editor.OpenNumberBox({SideRow, 0, ++row});
            QCoreApplication::processEvents();
            rowPane.on = columnPane.on = true;
            state.ResumeTiming();
        }
    }
    state.counters["row_pane_share"] = rowPane.Share() / steps;
    state.counters["column_pane_share"] = columnPane.Share() / steps;
    state.counters["whole_pane_paints"] = rowPane.whole + columnPane.whole;
}
BENCHMARK(BM_StoreAndOpenNextSlot)->Iterations(1000)->UseRealTime()->Unit(benchmark::kMillisecond);

// Typing from the outer end (ShiftDirection 1): Space at slot 0 stores and moves the whole line
// out by one slot, and the box stays on slot 0. Each step takes a new row, so that only the
// first one makes the lines deeper (the one whole repaint of the row pane).
void BM_StoreAndMakeRoomAtSlot0(benchmark::State& state) {
    auto doc = bench::MakeDeepCluesDocument(kSize, kCellSize);
    Window window(*doc);
    window.settings.shiftDirection = 1;
    PaintMeter rowPane(*window.grid.View(RowCluePane));
    PaintMeter columnPane(*window.grid.View(ColumnCluePane));
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rowPane.on = columnPane.on = false;
        window.editor.OpenNumberBox({SideRow, 0, row++ % kSize});
        QCoreApplication::processEvents();
        rowPane.on = columnPane.on = true;
        state.ResumeTiming();
        window.Key(Qt::Key_7, QStringLiteral("7"));
        window.Key(Qt::Key_Space, QStringLiteral(" "));
        QCoreApplication::processEvents();
    }
    state.counters["row_pane_share"] = rowPane.Share() / row;
    state.counters["whole_pane_paints"] = rowPane.whole + columnPane.whole;
}
BENCHMARK(BM_StoreAndMakeRoomAtSlot0)
    ->Iterations(250)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessemar

int main(int argc, char** argv) {
    return tessemar::bench::RunBenchmarks<QApplication>(argc, argv);
}
