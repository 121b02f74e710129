#include "WindowFixture.h"

#include "gui/view/CViewCommands.h"

#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using test::DifferentPixels;
using test::Expected;
using test::OnScreen;

using ChildFrameTest = test::WindowFixture;

// The document history through the view's command target, with what the picture pane shows.
TEST_F(ChildFrameTest, UndoAndRedoGoThroughTheViewCommands) {
    CChildFrame* frame = OpenSample();
    CLogicDoc& doc = frame->Document();
    CommandTarget* target = frame->ViewTarget();
    auto state = [target](int id) { return StateOf(*target, id).enabled; };
    const std::int8_t before = doc.Cell(2, 3);
    doc.WriteCell(2, 3, 5);
    ASSERT_TRUE(doc.ChangeSize(25, 15, 17, 1));
    const int widerRange = frame->PaneGrid()->HorizontalScrollBar(1)->maximum();

    struct Step {
        int command;
        int columns;
        std::int8_t cell;
        bool canUndo;
        bool canRedo;
    };
    const Step steps[] = {
        {cmd::Undo, 20, 5, true, true},        // the size change
        {cmd::Undo, 20, before, false, true},  // the cell
        {cmd::Undo, 20, before, false, true},  // nothing left: no change
        {cmd::Redo, 20, 5, true, true},       {cmd::Redo, 25, 5, true, false},
        {cmd::Redo, 25, 5, true, false},
    };
    CLogicView* picture = PaneOf(frame, PicturePane);
    for (const Step& step : steps) {
        target->OnCommand(step.command);
        test::GridWindow::Flush();
        EXPECT_EQ(doc.columnCount(), step.columns);
        EXPECT_EQ(doc.Cell(2, 3), step.cell);
        EXPECT_EQ(state(cmd::Undo), step.canUndo);
        EXPECT_EQ(state(cmd::Redo), step.canRedo);
        EXPECT_EQ(DifferentPixels(OnScreen(picture), Expected(picture)), 0);
    }
    EXPECT_EQ(frame->PaneGrid()->HorizontalScrollBar(1)->maximum(), widerRange);

    // A stroke in progress holds the history back.
    DocumentEdit stroke(doc);
    EXPECT_FALSE(state(cmd::Undo));
    target->OnCommand(cmd::Undo);
    EXPECT_EQ(doc.columnCount(), 25);
    stroke.Commit();
}

TEST_F(ChildFrameTest, CaptionButtonAndPreviewCommandAskToToggleThePreview) {
    CChildFrame* frame = OpenSample();
    CLogicView* corner = PaneOf(frame, CornerPane);
    QSignalSpy spy(frame, &CChildFrame::showPreviewToggleRequested);
    const CornerLook look = corner->Look();
    const Rect button = CornerCaptionButtonRect(corner->width(), look.captionHeight);
    const QPoint onButton((button.left + button.right) / 2, (button.top + button.bottom) / 2);

    QTest::mousePress(corner, Qt::LeftButton, {}, onButton);
    EXPECT_TRUE(corner->CaptionButtonPressed());
    EXPECT_EQ(spy.count(), 0);  // the release switches, not the press
    QTest::mouseRelease(corner, Qt::LeftButton, {}, onButton);
    EXPECT_FALSE(corner->CaptionButtonPressed());
    EXPECT_EQ(spy.count(), 1);
    // A click on the caption left of the button is not the button.
    QTest::mouseClick(corner, Qt::LeftButton, {}, QPoint(button.left - 10, onButton.y()));
    EXPECT_EQ(spy.count(), 1);
    frame->ViewTarget()->OnCommand(cmd::ShowPreview);
    EXPECT_EQ(spy.count(), 2);

    // Hiding and showing the preview redraws the corner at once; what it draws is the corner
    // drawing's own test.
    AppSettings settings;
    QImage shown[2];
    for (int show : {0, 1}) {
        settings.showPreview = show;
        frame->ApplyViewSettings(settings);
        test::GridWindow::Flush();
        shown[show] = OnScreen(corner);
        EXPECT_EQ(StateOf(*frame->ViewTarget(), cmd::ShowPreview).checked, show != 0);
    }
    EXPECT_NE(shown[0], shown[1]);
}

TEST_F(ChildFrameTest, TheCornerCaptionFollowsTheWindowsActivation) {
    CChildFrame* first = OpenSample();
    CChildFrame* second = OpenSample();
    auto captionStart = [](CChildFrame* frame) {
        test::GridWindow::Flush();
        // The first column of the caption bar has the gradient's first colour.
        return test::Pixel(OnScreen(PaneOf(frame, CornerPane)), 1, 5);
    };
    const CornerLook look = PaneOf(first, CornerPane)->Look();
    area_.setActiveSubWindow(first);
    EXPECT_EQ(captionStart(first), look.activeCaption.rgb() | 0xFF000000u);
    EXPECT_EQ(captionStart(second), look.inactiveCaption.rgb() | 0xFF000000u);
}

TEST_F(ChildFrameTest, SettingsReachTheCanvasAndClosingLetsGoOfTheDocument) {
    CChildFrame* frame = OpenSample(40, 30);
    AppSettings settings;
    settings.boldLine = 0;
    settings.graduateNumber = 0;
    frame->ApplyViewSettings(settings);
    EXPECT_EQ(frame->Companion()->Canvas().Options(), (RenderOptions{false, false}));

    // The manager destroys the document right after the window was told; the window is deleted
    // later by the event loop and must not touch the document any more.
    QPointer<CChildFrame> guard(frame);
    ASSERT_TRUE(docs_.CloseDocument(frame->Document()));
    EXPECT_EQ(frame->Companion(), nullptr);
    EXPECT_EQ(frame->ViewTarget(), nullptr);
    frame->ApplyViewSettings(settings);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    frames_.clear();
}

// A new window shows its whole picture when the area has room, and stays inside the room.
TEST_F(ChildFrameTest, FitToContentShowsTheWholePictureWithinTheRoomGiven) {
    struct Case {
        int w, h;
        QSize available;
        bool wholePicture;
    };
    for (const Case& c :
         {Case{12, 9, QSize(780, 580), true}, Case{150, 120, QSize(700, 500), false}}) {
        CChildFrame* frame = OpenSample(c.w, c.h);
        frame->FitToContent(c.available);
        test::GridWindow::Flush();
        EXPECT_LE(frame->width(), c.available.width());
        EXPECT_LE(frame->height(), c.available.height());
        const QScrollBar* across = frame->PaneGrid()->HorizontalScrollBar(1);
        const QScrollBar* down = frame->PaneGrid()->VerticalScrollBar(1);
        EXPECT_EQ(across->maximum() == 0 && down->maximum() == 0, c.wholePicture)
            << c.w << " x " << c.h;
    }
}

}  // namespace
}  // namespace tessemar
