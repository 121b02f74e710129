#include "ViewTestSupport.h"

#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using test::DifferentPixels;
using test::Expected;
using test::GridWindow;
using test::MakeDocument;
using test::OnScreen;

constexpr Pane kLayoutPanes[] = {ColumnCluePane, RowCluePane, PicturePane};

PixelSize Computed(const GridWindow& w, Pane pane) {
    return ComputeScrollSize(pane, w.companion.Canvas().Geometry(),
                             GetUsedClueDepth(w.doc->Model()));
}

// Every bar's range is what the scroll size of its panes leaves beyond their client.
void ExpectRangesFollowLayout(const GridWindow& w, const char* when) {
    const struct {
        const QScrollBar* bar;
        Pane pane;
        bool across;
    } bars[] = {{w.grid.HorizontalScrollBar(1), PicturePane, true},
                {w.grid.VerticalScrollBar(1), PicturePane, false},
                {w.grid.HorizontalScrollBar(0), RowCluePane, true},
                {w.grid.VerticalScrollBar(0), ColumnCluePane, false}};
    for (const auto& b : bars) {
        const PixelSize size = Computed(w, b.pane);
        const CLogicView* view = w.View(b.pane);
        const int beyond = b.across ? size.cx - view->width() : size.cy - view->height();
        EXPECT_EQ(b.bar->maximum(), std::max(0, beyond)) << when << " pane " << b.pane;
    }
    for (Pane pane : kLayoutPanes)
        EXPECT_EQ(w.View(pane)->ScrollExtent(), Computed(w, pane)) << when << " pane " << pane;
}

// One notch of the wheel down, at a point of the pane.
void WheelDown(QWidget* pane, Qt::KeyboardModifiers keys = {}) {
    const QPointF at(10, 10);
    QWheelEvent event(at, pane->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pane, &event);
}

TEST(PaneGrid, ScrollingThePictureScrollsTheCluePanesWithIt) {
    GridWindow w(MakeDocument(60, 50, 17, 12));
    const PixelPoint columnCluesBefore = w.grid.ScrollPosition(ColumnCluePane);
    const PixelPoint rowCluesBefore = w.grid.ScrollPosition(RowCluePane);

    // Through the picture pane's own bars, by position, and by the wheel.
    w.grid.HorizontalScrollBar(1)->setValue(70);
    w.grid.VerticalScrollBar(1)->setValue(45);
    EXPECT_EQ(w.grid.ScrollPosition(ColumnCluePane), (PixelPoint{70, columnCluesBefore.y}));
    EXPECT_EQ(w.grid.ScrollPosition(RowCluePane), (PixelPoint{rowCluesBefore.x, 45}));

    WheelDown(w.View(PicturePane));
    const int step = QApplication::wheelScrollLines() * 17;
    EXPECT_EQ(w.grid.ScrollPosition(RowCluePane).y, 45 + step);
    WheelDown(w.View(PicturePane), Qt::ShiftModifier);
    EXPECT_EQ(w.grid.ScrollPosition(ColumnCluePane).x, 70 + step);

    // The corner scrolls nothing, its wheel included.
    WheelDown(w.View(CornerPane));
    EXPECT_EQ(w.grid.ScrollPosition(PicturePane), (PixelPoint{70 + step, 45 + step}));
    EXPECT_EQ(w.grid.ScrollPosition(CornerPane), (PixelPoint{0, 0}));

    // What the screen shows after the pixels were moved is the layout at the new place.
    GridWindow::Flush();
    for (Pane pane : kLayoutPanes)
        EXPECT_EQ(DifferentPixels(OnScreen(w.View(pane)), Expected(w.View(pane))), 0)
            << "pane " << pane;
}

// The first show splits at 100 pixels and scrolls the clue panes to the slots next to the
// picture; they stay there however the layout changes.
TEST(PaneGrid, ScrollRangesFollowLayoutChangesAndKeepPositionsInRange) {
    GridWindow w(MakeDocument(80, 70, 17, 6));
    EXPECT_EQ(w.View(CornerPane)->size(), QSize(100, 100));

    struct Step {
        const char* name;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"first show", [] {}},
        {"picture scrolled far", [&] { w.grid.ScrollTo(PicturePane, {100000, 100000}); }},
        {"smaller puzzle", [&] { w.doc->ChangeSize(30, 25, 31, 1); }},
        {"no bold lines",
         [&] {
             w.companion.Canvas().SetOptions({false, true});
         }},
        {"deeper clues", [&] { w.doc->SetClueNumber(SideColumn, 3, 20, 7, 1); }},
        {"window resized", [&] { w.grid.resize(700, 300); }},
        {"first column moved", [&] { w.grid.SetFirstColumnWidth(60); }},
    };
    for (const Step& step : steps) {
        step.change();
        GridWindow::Flush();
        ExpectRangesFollowLayout(w, step.name);
        // Aligned at first show and not scrolled since: the slots next to the picture stay in
        // view however the clue panes change.
        EXPECT_EQ(w.grid.VerticalScrollBar(0)->value(), w.grid.VerticalScrollBar(0)->maximum())
            << step.name;
        EXPECT_EQ(w.grid.HorizontalScrollBar(0)->value(), w.grid.HorizontalScrollBar(0)->maximum())
            << step.name;
        for (Pane pane : kLayoutPanes) {
            EXPECT_LE(w.grid.ScrollPosition(pane).x,
                      w.grid.HorizontalScrollBar(PaneColumn(pane))->maximum());
            EXPECT_EQ(DifferentPixels(OnScreen(w.View(pane)), Expected(w.View(pane))), 0)
                << step.name << " pane " << pane;
        }
    }
    EXPECT_EQ(w.View(CornerPane)->width(), 60);
}

// Records the regions a widget is asked to paint.
class PaintRecorder : public QObject {
  public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST(PaneGrid, AChangedCellRepaintsOnlyItsOwnRectangle) {
    GridWindow w(MakeDocument(30, 30, 17, 4));
    w.grid.ScrollTo(PicturePane, {40, 30});
    GridWindow::Flush();
    PaintRecorder picture(w.View(PicturePane));
    PaintRecorder rowClues(w.View(RowCluePane));
    PaintRecorder columnClues(w.View(ColumnCluePane));

    const LayoutGeometry& g = w.companion.Canvas().Geometry();
    w.doc->WriteCell(6, 5, 3);
    GridWindow::Flush();
    const Rect cell = g.CellInterior(6, 5);
    const Rect window = w.View(PicturePane)->LayoutWindow();
    const QRect expected(cell.left - window.left, cell.top - window.top, cell.Width(),
                         cell.Height());
    EXPECT_EQ(picture.painted.boundingRect(), expected);
    EXPECT_TRUE(rowClues.painted.isEmpty());
    EXPECT_TRUE(columnClues.painted.isEmpty());
}

TEST(PaneGrid, SplitHandlesKeepEveryPaneAtLeastOnePixel) {
    GridWindow w(MakeDocument(10, 10, 17, 2));
    w.grid.SetFirstRowHeight(-50);
    w.grid.SetFirstColumnWidth(5000);
    EXPECT_EQ(w.View(CornerPane)->height(), CPaneGrid::kMinimumPaneSize);
    EXPECT_GE(w.View(PicturePane)->width(), CPaneGrid::kMinimumPaneSize);
    EXPECT_EQ(w.View(RowCluePane)->width(), w.View(CornerPane)->width());
    EXPECT_EQ(w.View(ColumnCluePane)->height(), w.View(CornerPane)->height());
}

}  // namespace
}  // namespace tessemar
