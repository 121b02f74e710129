#pragma once

#include "ViewTestSupport.h"

#include "gui/document/DocManagerFixture.h"
#include "gui/frame/CChildFrame.h"
#include "gui/view/CPaneGrid.h"
#include "support/CommandStates.h"

#include <QMdiArea>
#include <QTest>

#include <vector>

namespace tessemar::test {

// Document windows in an area of their own, on documents of the manager; a window goes when
// the manager closes its document, as the main frame does it.
class WindowFixture : public DocManagerFixture {
  protected:
    WindowFixture() {
        QObject::connect(&docs_, &CDocManager::documentClosing, &area_, [this](CLogicDoc* doc) {
            for (CChildFrame* frame : frames_) {
                if (&frame->Document() == doc)
                    frame->Discard();
            }
        });
        area_.resize(800, 600);
        area_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&area_));
    }

    // A new document holding model, shown in an active window.
    CChildFrame* OpenModel(const PuzzleModel& model) {
        CLogicDoc* doc = docs_.OnFileNew();
        doc->ReplaceModel(model);
        auto* frame = new CChildFrame(docs_, *doc, settings_, {});
        frames_.push_back(frame);
        area_.addSubWindow(frame);
        frame->show();
        area_.setActiveSubWindow(frame);
        GridWindow::Flush();
        return frame;
    }
    // A new document of w x h blank cells without clues, shown in an active window.
    CChildFrame* OpenBlank(int w, int h) {
        PuzzleModel model;
        model.columnCount = w;
        model.rowCount = h;
        return OpenModel(model);
    }
    // A puzzle with three-deep clue lines and a picture of every colour, in an active window.
    CChildFrame* OpenSample(int w = 20, int h = 15) {
        return OpenModel(MakeDocument(w, h, 17, 3)->Model());
    }
    static CLogicView* PaneOf(CChildFrame* frame, Pane pane) { return frame->PaneGrid()->View(pane); }

    QMdiArea area_;
    std::vector<CChildFrame*> frames_;
};

}  // namespace tessemar::test
