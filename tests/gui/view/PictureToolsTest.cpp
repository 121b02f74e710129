#include "WindowFixture.h"

#include "core/document/CLogicDoc.h"
#include "gui/view/CViewCommands.h"
#include "gui/view/Cursors.h"
#include "gui/view/FragmentClipboard.h"
#include "support/CommandStates.h"
#include "support/DocumentCounts.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace tessemar {
namespace {

using Answer = Prompter::Answer;

// Document windows on blank pictures, driven with the mouse and the window's commands.
class PictureToolsTest : public test::WindowFixture {
  protected:
    static CLogicView* Picture(CChildFrame* frame) { return PaneOf(frame, PicturePane); }
};

// The pane point in the middle of a picture cell (cells beyond the picture too).
QPoint PointOfCell(const CLogicView* pane, int x, int y) {
    const LayoutGeometry& geometry = pane->Companion().Canvas().Geometry();
    const int left = geometry.clueAreaWidth() + geometry.CellOffset(x) + geometry.cellSize() / 2;
    const int top = geometry.clueAreaHeight() + geometry.CellOffset(y) + geometry.cellSize() / 2;
    const Rect window = pane->LayoutWindow();
    return {left - window.left, top - window.top};
}

void MoveTo(CLogicView* pane, QPointF at, Qt::MouseButtons held, Qt::KeyboardModifiers keys = {}) {
    QMouseEvent move(QEvent::MouseMove, at, pane->mapToGlobal(at), Qt::NoButton, held, keys);
    QCoreApplication::sendEvent(pane, &move);
}

void Drag(CLogicView* pane, Qt::MouseButton button, const std::vector<CellPoint>& path,
          Qt::KeyboardModifiers atPress = {}, Qt::KeyboardModifiers atRelease = {}) {
    QTest::mousePress(pane, button, atPress, PointOfCell(pane, path.front().x, path.front().y));
    for (const CellPoint& cell : path)
        MoveTo(pane, PointOfCell(pane, cell.x, cell.y), button, atPress);
    QTest::mouseRelease(pane, button, atRelease, PointOfCell(pane, path.back().x, path.back().y));
}

// Each drag of a tool is one undo entry that writes only cells of the picture.
TEST_F(PictureToolsTest, DrawingToolsWriteTheirCellsAsOneEntry) {
    struct Case {
        int command;
        Qt::MouseButton button;
        std::vector<CellPoint> path;
        Qt::KeyboardModifiers atPress, atRelease;
        std::vector<CellPoint> set;  // the cells written, all with the same value
        int value;
    };
    const Case cases[] = {
        // The pen writes only the cells the pointer reports, not those between them.
        {cmd::ToolPen, Qt::LeftButton, {{0, 0}, {1, 0}, {3, 0}}, {}, {}, {{0, 0}, {1, 0}, {3, 0}}, 1},
        // A rectangle dragged upwards fills the same block; the right button writes X marks.
        {cmd::ToolRectangle, Qt::RightButton, {{3, 2}, {2, 1}}, {}, {}, {{2, 1}, {3, 1}, {2, 2}, {3, 2}}, -1},
        // Shift at the press chose to erase; Ctrl at the release paints after all.
        {cmd::ToolRectangle, Qt::LeftButton, {{0, 0}, {1, 0}}, Qt::ShiftModifier, Qt::ControlModifier, {{0, 0}, {1, 0}}, 1},
        // A line dragged beyond the picture is clipped to it.
        {cmd::ToolStraightLine, Qt::LeftButton, {{2, 4}, {9, 4}, {40, 4}}, {}, {}, {{2, 4}, {3, 4}, {4, 4}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CChildFrame* frame = OpenBlank(5, 5);
        CLogicDoc* doc = &frame->Document();
        frame->ViewTarget()->OnCommand(c.command);
        Drag(Picture(frame), c.button, c.path, c.atPress, c.atRelease);
        ASSERT_EQ(doc->UndoHistory().size(), 1u);
        for (int x = 0; x < kMaxLines; ++x) {
            for (int y = 0; y < kMaxLines; ++y) {
                const bool set = std::find(c.set.begin(), c.set.end(), CellPoint{x, y}) != c.set.end();
                ASSERT_EQ(doc->Cell(x, y), set ? c.value : 0) << x << "," << y;
            }
        }
        doc->Undo(1);
        EXPECT_EQ(CountSetCells(*doc), 0);
    }
}

TEST_F(PictureToolsTest, ToolCommandsPaintAndTheBusyDocument) {
    CChildFrame* frame = OpenBlank(15, 15);
    CLogicDoc* doc = &frame->Document();
    CommandTarget* target = frame->ViewTarget();
    target->OnCommand(cmd::ToolPaint);
    EXPECT_TRUE(StateOf(*target, cmd::ToolPaint).checked);

    CLogicView* pane = Picture(frame);
    QSignalSpy status(frame->Companion(), &CViewCompanion::PositionChanged);
    QTest::mouseClick(pane, Qt::RightButton, {}, PointOfCell(pane, 4, 2));
    EXPECT_EQ(CountSetCells(*doc), doc->columnCount() * doc->rowCount());  // X marks everywhere
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), "(5, 3)");

    // A run writing into the document holds an edit open: the mouse writes nothing meanwhile.
    DocumentEdit run(*doc);
    QTest::mouseClick(pane, Qt::RightButton, {}, PointOfCell(pane, 4, 2));
    run.Commit();
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
}

// A rubber band lifts its cells; a drag on the fragment moves it in whole cells and never out
// of the picture; the right button puts it back; Set Select drops it as one entry with the lift.
TEST_F(PictureToolsTest, SelectLiftsMovesAndDropsTheFragment) {
    CChildFrame* frame = OpenBlank(6, 4);
    CLogicDoc& doc = frame->Document();
    doc.FillRectangle(0, 0, 1, 1, 2);
    doc.ClearUndoHistory();
    CommandTarget* target = frame->ViewTarget();
    target->OnCommand(cmd::ToolSelect);
    CLogicView* pane = Picture(frame);
    Drag(pane, Qt::LeftButton, {{1, 1}, {0, 0}});
    ASSERT_TRUE(doc.HasFloatingSelection());

    // Moved right by far more than the room there is: it stops at the right edge.
    Drag(pane, Qt::LeftButton, {{0, 0}, {1, 1}, {9, 1}});
    EXPECT_EQ(doc.SelectionRect(), (CellRect{1, 1, 2, 2}));  // the step past the edge is not made
    Drag(pane, Qt::LeftButton, {{1, 1}, {4, 1}});
    EXPECT_EQ(doc.SelectionRect(), (CellRect{4, 1, 5, 2}));
    // The fragment is drawn where it lies now.
    test::GridWindow::Flush();
    const QImage shown = test::OnScreen(pane);
    const QPoint moved = PointOfCell(pane, 4, 1);
    EXPECT_EQ(shown.pixelColor(moved), QColor(ToQRgb(doc.Model().colors[2])));
    // The right button during a move puts the fragment back.
    QTest::mousePress(pane, Qt::LeftButton, {}, PointOfCell(pane, 4, 1));
    const QPoint to = PointOfCell(pane, 2, 1);
    MoveTo(pane, to, Qt::LeftButton);
    EXPECT_EQ(doc.SelectionRect().Left(), 2);
    QTest::mousePress(pane, Qt::RightButton, {}, to);
    QTest::mouseRelease(pane, Qt::LeftButton, {}, to);
    EXPECT_EQ(doc.SelectionRect(), (CellRect{4, 1, 5, 2}));

    target->OnCommand(cmd::SetSelect);
    EXPECT_FALSE(doc.HasFloatingSelection());
    EXPECT_EQ(doc.Cell(4, 1), 2);
    EXPECT_EQ(doc.Cell(0, 0), 0);
    EXPECT_EQ(doc.UndoHistory().size(), 1u);

    // A click right of the grid takes the whole row, below it the whole column.
    const LayoutGeometry& geometry = pane->Companion().Canvas().Geometry();
    const QPoint rightOfRow2 = PointOfCell(pane, 6, 2) + QPoint(geometry.cellSize() / 2, 0);
    QTest::mouseClick(pane, Qt::LeftButton, {}, rightOfRow2);
    EXPECT_EQ(doc.SelectionRect(), (CellRect{0, 2, 5, 2}));
    const QPoint belowColumn3 = PointOfCell(pane, 3, 4) + QPoint(0, geometry.cellSize() / 2);
    QTest::mouseClick(pane, Qt::LeftButton, {}, belowColumn3);
    EXPECT_EQ(doc.SelectionRect(), (CellRect{3, 0, 3, 3}));
}

// Copy in one window, paste in another; data not of ours, or broken, pastes nothing.
TEST_F(PictureToolsTest, ClipboardCarriesFragmentsBetweenDocuments) {
    CChildFrame* first = OpenBlank(3, 2);
    first->Document().WriteCell(2, 1, 5);
    first->ViewTarget()->OnCommand(cmd::Copy);
    EXPECT_EQ(settings_.tool, ToolSelect);
    EXPECT_TRUE(first->Document().HasFloatingSelection());

    CChildFrame* second = OpenBlank(5, 5);
    CommandTarget* target = second->ViewTarget();
    const auto pasteEnabled = [target] { return StateOf(*target, cmd::Paste).enabled; };
    EXPECT_TRUE(pasteEnabled());
    target->OnCommand(cmd::Paste);
    EXPECT_EQ(second->Document().SelectionRect(), (CellRect{0, 0, 2, 1}));
    target->OnCommand(cmd::SetSelect);
    EXPECT_EQ(second->Document().Cell(2, 1), 5);

    for (const QByteArray& hostile : {QByteArray("\x04\x04\x01", 3), QByteArray("\x00\x05", 2), QByteArray()}) {
        auto* data = new QMimeData;
        data->setData(kFragmentMimeType, hostile);
        QGuiApplication::clipboard()->setMimeData(data);
        EXPECT_FALSE(pasteEnabled());
        target->OnCommand(cmd::Paste);
        EXPECT_FALSE(second->Document().HasFloatingSelection());
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("3 2 1"));
    EXPECT_FALSE(pasteEnabled());
}

TEST_F(PictureToolsTest, ImageCommandsAndClearingTheUndoBuffer) {
    CChildFrame* frame = OpenBlank(4, 3);
    CLogicDoc& doc = frame->Document();
    doc.WriteCell(0, 0, 3);
    CommandTarget* target = frame->ViewTarget();
    target->OnCommand(cmd::MirrorHorizontally);
    EXPECT_EQ(doc.Cell(3, 0), 3);
    EXPECT_FALSE(doc.HasFloatingSelection());  // under the pen the result is dropped at once
    EXPECT_EQ(doc.UndoHistory().size(), 2u);

    prompter_.answers = {Answer::No, Answer::Yes};
    target->OnCommand(cmd::ClearUndoBuffer);
    EXPECT_EQ(doc.UndoHistory().size(), 2u);
    target->OnCommand(cmd::ClearUndoBuffer);
    EXPECT_TRUE(doc.UndoHistory().empty());
}

// The pointer shows what a click would do there.
TEST_F(PictureToolsTest, ThePointerFollowsToolCellAndKeys) {
    CChildFrame* frame = OpenBlank(6, 4);
    frame->Document().WriteCell(1, 1, 1);
    CLogicView* pane = Picture(frame);
    const LayoutGeometry& geometry = pane->Companion().Canvas().Geometry();
    struct Case {
        int tool;
        QPoint point;
        Qt::KeyboardModifiers keys;
        int kind;
    } cases[] = {
        {ToolPen, PointOfCell(pane, 0, 0), {}, 1},
        {ToolPen, PointOfCell(pane, 1, 1), {}, -1},
        {ToolRectangle, PointOfCell(pane, 0, 0), Qt::ShiftModifier, -2},
        {ToolPaint, PointOfCell(pane, 1, 1), {}, -3},
        {ToolPaint, PointOfCell(pane, 0, 0), {}, 3},
        {ToolSelect, PointOfCell(pane, 0, 0), {}, 9},
        {ToolPen, PointOfCell(pane, 6, 1) + QPoint(geometry.cellSize() / 2, 0), {}, 21},
        {ToolPen, PointOfCell(pane, 2, 4) + QPoint(0, geometry.cellSize() / 2), {}, 22},
    };
    for (const Case& c : cases) {
        settings_.tool = c.tool;
        MoveTo(pane, c.point, Qt::NoButton, c.keys);
        EXPECT_EQ(pane->cursor().pixmap().cacheKey(), CursorOfKind(c.kind).pixmap().cacheKey()) << c.kind;
    }
    // Holding Ctrl over a filled cell turns the pen's erasing into painting at once.
    settings_.tool = ToolPen;
    const QPoint filled = PointOfCell(pane, 1, 1);
    QCursor::setPos(pane->mapToGlobal(filled));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(pane, &enter);
    MoveTo(pane, filled, Qt::NoButton);
    EXPECT_EQ(pane->cursor().pixmap().cacheKey(), CursorOfKind(-1).pixmap().cacheKey());
    QTest::keyPress(&area_, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(pane->cursor().pixmap().cacheKey(), CursorOfKind(1).pixmap().cacheKey());
    QTest::keyRelease(&area_, Qt::Key_Control);
    EXPECT_EQ(pane->cursor().pixmap().cacheKey(), CursorOfKind(-1).pixmap().cacheKey());

    // The right button opens the picture's menu only under the Select tool; others draw with it.
    QSignalSpy menu(&pane->Companion(), &CViewCompanion::ContextMenuRequested);
    for (int tool : {ToolPen, ToolSelect}) {
        settings_.tool = tool;
        const QPoint at = PointOfCell(pane, 2, 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, pane->mapToGlobal(at));
        QCoreApplication::sendEvent(pane, &event);
    }
    EXPECT_EQ(menu.count(), 1);
}

}  // namespace
}  // namespace tessemar
