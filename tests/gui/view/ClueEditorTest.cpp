#include "WindowFixture.h"

#include "core/formats/PuzzleFiles.h"
#include "gui/solver/CSolveController.h"
#include "gui/solver/SolverFakes.h"
#include "gui/view/CClueEditor.h"
#include "gui/view/CNumberBox.h"
#include "support/ModelSetup.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

namespace tessemar {
namespace {

using Answer = Prompter::Answer;
using Line = std::vector<int>;

// The numbers of a clue line from the outer end to the picture, as the puzzle shows them.
Line LineOf(const CLogicDoc& doc, int side, int line) {
    const int slotCount = side == SideRow ? doc.columnCount() : doc.rowCount();
    Line numbers;
    for (int k = slotCount - 1; k >= 0; --k) {
        const PuzzleModel& m = doc.Model();
        const int n = side == SideRow ? m.rowClueNumbers[k][line] : m.columnClueNumbers[line][k];
        if (n != kEmptySlot)
            numbers.push_back(n);
    }
    return numbers;
}

class ClueEditorTest : public test::WindowFixture {
  protected:
    static CClueEditor& Editor(CChildFrame* frame) { return *frame->Editor(); }
    static CNumberBox& Box(CChildFrame* frame) { return frame->Editor()->Box(); }
    // Keys as a user types them into the box: characters, then named keys.
    static void Type(CChildFrame* frame, const char* text, std::initializer_list<Qt::Key> keys = {}) {
        QTest::keyClicks(&Box(frame), text);
        for (Qt::Key key : keys)
            QTest::keyClick(&Box(frame), key);
    }
    static bool Enabled(CChildFrame* frame, int id) {
        return StateOf(*frame->ViewTarget(), id).enabled;
    }
    // The pane point in the middle of a clue slot.
    static QPoint PointOfSlot(CChildFrame* frame, ClueSlot slot) {
        const CLogicView* pane = PaneOf(frame, slot.side == SideRow ? RowCluePane : ColumnCluePane);
        const LayoutGeometry& g = pane->Companion().Canvas().Geometry();
        const Rect box = g.ClueBox(slot.side, slot.side == SideRow ? slot.y : slot.x, slot.Slot());
        const Rect window = pane->LayoutWindow();
        return {box.left + g.cellSize() / 2 - window.left, box.top + g.cellSize() / 2 - window.top};
    }
    static void Click(CChildFrame* frame, ClueSlot slot) {
        QTest::mouseClick(PaneOf(frame, slot.side == SideRow ? RowCluePane : ColumnCluePane), Qt::LeftButton, {},
                          PointOfSlot(frame, slot));
    }
};

// Both typing directions; every number is one undo entry, whatever room it made.
TEST_F(ClueEditorTest, TypingALineInBothDirectionsAndUndoingItNumberByNumber) {
    for (int direction : {1, 0}) {
        SCOPED_TRACE(direction);
        CChildFrame* frame = OpenBlank(10, 6);
        CLogicDoc& doc = frame->Document();
        frame->ViewTarget()->OnCommand(direction == 1 ? cmd::InputFromTop : cmd::InputFromBottom);
        Click(frame, {SideRow, 9, 2});  // far out in an empty line: slot 0
        ASSERT_EQ(Editor(frame).Slot(), (ClueSlot{SideRow, 0, 2}));
        // From the top the line is typed as it reads; from the bottom the picture's end first.
        Type(frame, direction == 1 ? "3 1 0" : "0 1 3", {Qt::Key_Return});
        EXPECT_EQ(LineOf(doc, SideRow, 2), (Line{3, 1, 0}));
        EXPECT_FALSE(Editor(frame).IsOpen());
        const std::vector<Line> left = direction == 1 ? std::vector<Line>{{3, 1}, {3}, {}} : std::vector<Line>{{1, 0}, {0}, {}};
        for (const Line& line : left) {
            doc.Undo(1);
            EXPECT_EQ(LineOf(doc, SideRow, 2), line);
        }
    }
}

// The cases of the box at the ends of lines, the line length, and keys that are no number.
TEST_F(ClueEditorTest, EdgesOfLinesAndWhatIsNoNumber) {
    CChildFrame* frame = OpenBlank(10, 5);
    CLogicDoc& doc = frame->Document();
    CClueEditor& editor = Editor(frame);
    settings_.shiftDirection = 0;
    for (int id : {cmd::InsertCharacter, cmd::DeleteLine, cmd::MoveLeft})
        EXPECT_FALSE(Enabled(frame, id));
    editor.OpenNumberBox({SideRow, 0, 0});
    EXPECT_TRUE(Enabled(frame, cmd::InsertCharacter));
    Type(frame, "15", {Qt::Key_Space});  // longer than the row: the slot stays empty
    EXPECT_EQ(doc.Model().rowClueNumbers[0][0], kEmptySlot);
    EXPECT_EQ(editor.Slot(), (ClueSlot{SideRow, 0, 0}));
    Type(frame, "0", {Qt::Key_Space});
    EXPECT_EQ(doc.Model().rowClueNumbers[0][0], 0);
    // A key that is no number is refused; so is pasted text that is no number of 1-3 digits.
    Type(frame, "/x", {Qt::Key_Home});
    QGuiApplication::clipboard()->setText(QStringLiteral("1234"));
    QTest::keyClick(&Box(frame), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Box(frame).text(), QString());
    QGuiApplication::clipboard()->setText(QString::fromUtf8("１２"));  // full-width digits count
    QTest::keyClick(&Box(frame), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Box(frame).text(), "12");
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("x"));
    QCoreApplication::sendEvent(&Box(frame), &composed);
    EXPECT_EQ(Box(frame).text(), "12");

    // Page Up at the outermost slot goes on in the next row, at the last row nowhere.
    ChangeModel(doc, [](PuzzleModel& m) { m.rowClueNumbers[9][4] = m.rowClueNumbers[9][3] = 1; });
    editor.OpenNumberBox({SideRow, 9, 3});
    Type(frame, "", {Qt::Key_PageUp});
    EXPECT_EQ(editor.Slot(), (ClueSlot{SideRow, 0, 4}));
    editor.OpenNumberBox({SideRow, 9, 4});
    Type(frame, "", {Qt::Key_PageUp});
    EXPECT_EQ(editor.Slot(), (ClueSlot{SideRow, 9, 4}));

    // Space at slot 0 typing from the top moves the line's numbers out by one.
    settings_.shiftDirection = 1;
    ChangeModel(doc, [](PuzzleModel& m) {
        for (int k = 0; k < 3; ++k) m.columnClueNumbers[4][k] = static_cast<std::uint8_t>(k + 1);
    });
    editor.OpenNumberBox({SideColumn, 4, 0});
    Type(frame, "", {Qt::Key_Space});
    EXPECT_EQ(LineOf(doc, SideColumn, 4), (Line{3, 2, 1}));
    EXPECT_EQ(doc.Model().columnClueNumbers[4][0], kEmptySlot);
    EXPECT_EQ(editor.Slot(), (ClueSlot{SideColumn, 4, 0}));
    // Backspace in the empty box takes the slot out again.
    Type(frame, "", {Qt::Key_Backspace});
    EXPECT_EQ(doc.Model().columnClueNumbers[4][0], 1);
    EXPECT_FALSE(editor.IsOpen());
}

// Whatever closes the box stores what was typed, except a new drawing of the whole layout.
TEST_F(ClueEditorTest, ClosingTheBoxKeepsWhatWasTyped) {
    CChildFrame* frame = OpenBlank(8, 8);
    CLogicDoc& doc = frame->Document();
    const auto typeAt = [&](int row, const char* text) {
        Click(frame, {SideRow, 0, row});
        Type(frame, text);
    };
    const std::function<void()> closers[] = {
        [&] { QTest::mouseClick(PaneOf(frame, PicturePane), Qt::RightButton, {}, QPoint(5, 5)); },
        [&] { frame->ViewTarget()->OnCommand(cmd::ToolRectangle); },
        [&] { OpenBlank(3, 3); },  // another window becomes the active one
    };
    for (int row = 0; row < 3; ++row) {
        typeAt(row, std::to_string(row + 4).c_str());
        closers[row]();
        EXPECT_FALSE(Editor(frame).IsOpen()) << row;
        EXPECT_EQ(LineOf(doc, SideRow, row), Line{row + 4}) << row;
    }
    typeAt(3, "7");
    doc.ChangeSize(9, 8, 17, 1);  // a new layout: the text is not wanted
    EXPECT_FALSE(Editor(frame).IsOpen());
    EXPECT_EQ(LineOf(doc, SideRow, 3), Line{});

    // Closing the window: the question whether to save comes after the text went in.
    typeAt(5, "8");
    prompter_.answers = {Answer::No};
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(docs_.CloseDocument(doc));
    EXPECT_EQ(prompter_.questions.size(), 1);
}

TEST_F(ClueEditorTest, TitleBoxCommandsAndMenus) {
    CChildFrame* frame = OpenBlank(5, 5);
    CLogicDoc& doc = frame->Document();
    CLogicView* corner = PaneOf(frame, CornerPane);
    QTest::mouseClick(corner, Qt::LeftButton, {}, QPoint(10, corner->Look().captionHeight / 2 + 1));
    EXPECT_FALSE(Enabled(frame, cmd::MoveUp));
    QTest::keyClicks(&Box(frame), "Dancer");
    QTest::keyClick(&Box(frame), Qt::Key_Return);
    EXPECT_EQ(doc.Model().title, "Dancer");
    EXPECT_EQ(doc.UndoHistory().size(), 1u);

    // The Number menu's moves go in their screen direction; Format Number asks first.
    doc.SetClueNumber(SideColumn, 2, 0, 1, 1);
    frame->ViewTarget()->OnCommand(cmd::Title);
    Editor(frame).OpenNumberBox({SideColumn, 2, 0});
    frame->ViewTarget()->OnCommand(cmd::MoveUp);
    EXPECT_EQ(Editor(frame).Slot(), (ClueSlot{SideColumn, 2, 1}));
    frame->ViewTarget()->OnCommand(cmd::MoveRight);
    EXPECT_EQ(Editor(frame).Slot(), (ClueSlot{SideColumn, 3, 0}));
    prompter_.answers = {Answer::No, Answer::Yes};
    frame->ViewTarget()->OnCommand(cmd::FormatNumber);
    EXPECT_EQ(LineOf(doc, SideColumn, 2), Line{1});
    frame->ViewTarget()->OnCommand(cmd::FormatNumber);
    EXPECT_EQ(LineOf(doc, SideColumn, 2), Line{});
    doc.WriteCell(0, 0, 1);
    prompter_.answers = {Answer::No};
    frame->ViewTarget()->OnCommand(cmd::FormatPicture);
    EXPECT_EQ(doc.Cell(0, 0), 1);
    EXPECT_EQ(prompter_.questions.back(), "Clearing the picture. OK?");

    QSignalSpy menus(frame->Companion(), &CViewCompanion::ContextMenuRequested);
    for (Pane pane : {ColumnCluePane, CornerPane}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), PaneOf(frame, pane)->mapToGlobal(QPoint(3, 3)));
        QCoreApplication::sendEvent(PaneOf(frame, pane), &event);
    }
    ASSERT_EQ(menus.count(), 2);
    EXPECT_EQ(menus.at(0).at(0).toInt(), ClueMenu);
    EXPECT_EQ(menus.at(1).at(0).toInt(), CornerMenu);
}

// A corpus puzzle's clues typed with the keyboard alone after one click.
TEST_F(ClueEditorTest, TypingAWholePuzzleAndSolvingIt) {
    const std::string path = std::string(TESSEMAR_PUZZLES_DIR) + "/classic/B01-dancer-5x10.non";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no corpus beside the project";
    const std::unique_ptr<CLogicDoc> source = OpenPuzzleFile(path);
    CChildFrame* frame = OpenBlank(source->columnCount(), source->rowCount());
    CLogicDoc& doc = frame->Document();
    // Rows typed from the top, columns from the bottom; the last number stays in the box.
    const auto typeLines = [&](int side, int lines, int direction) {
        settings_.shiftDirection = direction;
        Click(frame, {side, 0, 0});
        for (int line = 0; line < lines; ++line) {
            Line numbers = LineOf(*source, side, line);
            if (direction == 0)
                std::reverse(numbers.begin(), numbers.end());
            for (std::size_t i = 0; i < numbers.size(); ++i)
                Type(frame, (std::to_string(numbers[i]) + (i + 1 < numbers.size() ? " " : "")).c_str());
            if (line + 1 < lines)
                Type(frame, "", {Qt::Key_Down});
        }
    };
    typeLines(SideRow, doc.rowCount(), 1);
    typeLines(SideColumn, doc.columnCount(), 0);
    EXPECT_TRUE(Editor(frame).IsOpen());

    // The start of a solve stores the number still in the box before it checks the clues,
    // which would otherwise not add up and bring a question.
    EventLog log;
    RecordingStatus status(log);
    CSolveController solver(settings_, status, [&doc] { return &doc; }, nullptr);
    solver.SetDialogs(std::make_unique<FakeDialogs>(log));
    solver.SetFinishEditing([this](CLogicDoc& d) { docs_.FinishEditing(d); });
    solver.OnCommand(cmd::Solve);
    EXPECT_FALSE(Editor(frame).IsOpen());
    ASSERT_TRUE(QTest::qWaitFor([&solver] { return solver.IsIdle(); }, 60000));
    EXPECT_EQ(log.IndexOf(QStringLiteral("question")), -1);
    for (int side : {SideRow, SideColumn}) {
        for (int line = 0; line < (side == SideRow ? doc.rowCount() : doc.columnCount()); ++line)
            EXPECT_EQ(LineOf(doc, side, line), LineOf(*source, side, line)) << side << " " << line;
    }
}

}  // namespace
}  // namespace tessemar
