#pragma once

#include "core/document/CLogicDoc.h"
#include "gui/view/CLogicView.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"
#include "render/RenderTestSupport.h"

#include <QCoreApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tessemar::test {

// A puzzle whose clue lines are `depth` slots deep, with a picture of every colour.
inline std::unique_ptr<CLogicDoc> MakeDocument(int w, int h, int cellSize, int depth) {
    PuzzleModel m = MakeModel(w, h, cellSize);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            m.cells[x][y] = static_cast<std::int8_t>((x * 7 + y * 3) % 10 - 1);
    }
    for (int k = 0; k < depth; ++k) {
        for (int y = 0; y < h && k < w; ++y) {
            m.rowClueNumbers[k][y] = static_cast<std::uint8_t>(1 + (k + y) % 20);
            m.rowClueColors[k][y] = static_cast<std::uint8_t>(1 + y % 8);
        }
        for (int x = 0; x < w && k < h; ++x) {
            m.columnClueNumbers[x][k] = static_cast<std::uint8_t>(1 + (k * x) % 30);
            m.columnClueColors[x][k] = static_cast<std::uint8_t>(1 + x % 8);
        }
    }
    m.title = "Test puzzle";
    auto doc = std::make_unique<CLogicDoc>();
    doc->ReplaceModel(m);
    return doc;
}

// A document with its panes in a top-level grid, shown and painted.
struct GridWindow {
    explicit GridWindow(std::unique_ptr<CLogicDoc> document, QSize size = {520, 420})
        : doc(std::move(document)), companion(*doc), grid(companion) {
        grid.resize(size);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        Flush();
    }
    CLogicView* View(Pane pane) const { return grid.View(pane); }
    static void Flush() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    std::unique_ptr<CLogicDoc> doc;
    CViewCompanion companion;
    CPaneGrid grid;
};

// What the screen shows of a widget: the window's backing store, so that partial repaints and
// moved pixels are seen as the user sees them.
inline QImage OnScreen(const QWidget* widget) {
    const QWidget* top = widget->window();
    const QImage whole = top->screen()->grabWindow(top->winId()).toImage();
    return whole.copy(QRect(widget->mapTo(top, QPoint(0, 0)), widget->size()))
        .convertToFormat(QImage::Format_RGB32);
}

// What a pane should show: the layout at its window, drawn in one piece.
inline QImage Expected(const CLogicView* view) {
    const LayoutCanvas& canvas = view->Companion().Canvas();
    return RenderLayoutImage(view->Companion().Document().Model(), canvas.Style(),
                             view->LayoutWindow());
}

}  // namespace tessemar::test
