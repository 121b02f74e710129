#include "EditingSupport.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>

#include <string>

namespace tessemar {
namespace {

using namespace std::string_literals;
using edit_test::MakeDoc;
using edit_test::PictureRows;
using edit_test::SetPicture;
using edit_test::Snapshot;

constexpr int kOpaque = 1;
constexpr int kTransparent = 0;

struct SelectionTest : ::testing::Test {
    std::unique_ptr<CLogicDoc> doc = MakeDoc(5, 4);
    void SetUp() override {
        SetPicture(*doc, {
                             "12...",
                             "3x4..",
                             ".....",
                             "....5",
                         });
        // Set without undo records: the history starts empty.
    }
};

TEST_F(SelectionTest, CopyWithoutSelectionFloatsTheWholePictureUnderTheSelectTool) {
    const std::string bytes = doc->EditCopy(ToolPen, kOpaque);
    EXPECT_EQ(doc->SelectionRect(), (CellRect{0, 0, 4, 3}));
    ASSERT_EQ(bytes.size(), 2u + 20u);
    EXPECT_EQ(bytes.substr(0, 4), "\x05\x04\x01\x02"s);
    // The picture under the fragment is blank, and comes back unchanged when it is dropped.
    EXPECT_EQ(doc->Cell(0, 0), 0);
    doc->CommitFloatingSelection(kOpaque);
    EXPECT_EQ(PictureRows(*doc)[1], "3x4..");
    // The cells went out and came back: the records of both make one entry.
    EXPECT_EQ(doc->UndoHistory().size(), 1u);

    // Pasted into another document, it is a W x H fragment at the top left.
    auto other = MakeDoc(7, 7);
    ASSERT_TRUE(other->EditPaste(bytes, kOpaque));
    other->CommitFloatingSelection(kOpaque);
    EXPECT_EQ(PictureRows(*other)[3], "....5..");
}

TEST_F(SelectionTest, DropHonoursTheBackgroundModeButNeverHidesXMarks) {
    const std::string blankWithX = "\x02\x02\x00\xFF\x00\x00"s;
    struct Case {
        int mode;
        std::string row0, row1;
    };
    const Case cases[] = {{kTransparent, "1x...", "3x4.."}, {kOpaque, ".x...", "..4.."}};
    for (const Case& c : cases) {
        auto d = MakeDoc(5, 4);
        SetPicture(*d, {"12...", "3x4.."});
        ASSERT_TRUE(d->EditPaste(blankWithX, c.mode));
        d->CommitFloatingSelection(c.mode);
        EXPECT_EQ(PictureRows(*d)[0], c.row0) << c.mode;
        EXPECT_EQ(PictureRows(*d)[1], c.row1) << c.mode;
    }
}

TEST_F(SelectionTest, FragmentMovedPartlyOutsideLosesItsOutsideCells) {
    ASSERT_TRUE(doc->LiftSelection(0, 0, 1, 1, kOpaque));
    doc->MoveSelection(4, 3);
    doc->CommitFloatingSelection(kOpaque);
    EXPECT_EQ(PictureRows(*doc), (std::vector<std::string>{".....", "..4..", ".....", "....1"}));
    // Hidden cells beyond the picture are not written by the drop.
    LoadSize(*doc, 6, 5);
    EXPECT_EQ(doc->Cell(5, 3), 0);
    EXPECT_EQ(doc->Cell(4, 4), 0);
}

TEST_F(SelectionTest, PastingWhileAFragmentFloatsDropsItFirst) {
    ASSERT_TRUE(doc->LiftSelection(0, 0, 0, 0, kOpaque));
    doc->MoveSelection(2, 2);
    ASSERT_TRUE(doc->EditPaste("\x01\x01\x07"s, kOpaque));
    EXPECT_EQ(doc->Cell(2, 2), 1);  // the old fragment landed where it was
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    doc->CommitFloatingSelection(kOpaque);
    EXPECT_EQ(doc->Cell(0, 0), 7);
}

TEST_F(SelectionTest, BadClipboardDataAndNegativeCornersSelectNothing) {
    const Snapshot before(*doc);
    for (const std::string& bytes : {""s, "ERROR"s, "\x04\x04\x01"s, "\x00\x05"s})
        EXPECT_FALSE(doc->EditPaste(bytes, kOpaque));
    EXPECT_FALSE(doc->CopyRegion(-1, 0, 2, 2).has_value());
    EXPECT_FALSE(doc->LiftSelection(2, 2, 0, -3, kOpaque));
    EXPECT_FALSE(doc->HasFloatingSelection());
    EXPECT_FALSE(doc->HasPendingUndo());
    EXPECT_TRUE(edit_test::SameDocument(before, *doc));
}

TEST_F(SelectionTest, CopyRegionNormalisesCornersAndCutPutsTheSameFragmentOut) {
    const auto a = doc->CopyRegion(2, 1, 0, 0);
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(FragmentBytes(*a), "\x03\x02\x01\x02\x00\x03\xFF\x04"s);
    const auto b = doc->CopyRegion(248, 248, 400, 1000);  // stops at the arrays
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->width, 2);
    EXPECT_EQ(b->height, 2);

    ASSERT_TRUE(doc->LiftSelection(0, 0, 2, 1, kOpaque));
    EXPECT_EQ(doc->EditCut(ToolSelect, kOpaque), FragmentBytes(*a));
    EXPECT_FALSE(doc->HasFloatingSelection());
    EXPECT_EQ(PictureRows(*doc)[0], ".....");
    EXPECT_EQ(PictureRows(*doc)[1], ".....");
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
}

TEST_F(SelectionTest, ClearSelectLeavesTheAreaBlankAsOneEntry) {
    doc->SelectAll(kOpaque);
    EXPECT_TRUE(doc->CanChangeSelection(ToolSelect));
    EXPECT_FALSE(doc->CanChangeSelection(ToolPen));
    doc->ClearSelection();
    EXPECT_EQ(PictureRows(*doc), PictureRows(*MakeDoc(5, 4)));
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    doc->CommitFloatingSelection(kOpaque);  // nothing floats: nothing comes back
    EXPECT_EQ(doc->Cell(0, 0), 0);
}

TEST_F(SelectionTest, UndoWithAFloatingFragmentTakesBackTheLiftAndTheMove) {
    const Snapshot before(*doc);
    ASSERT_TRUE(doc->LiftSelection(0, 0, 2, 1, kOpaque));
    doc->MoveSelection(1, 2);
    EXPECT_EQ(doc->Undo(kOpaque), true);
    EXPECT_FALSE(doc->HasFloatingSelection());
    EXPECT_TRUE(edit_test::SameDocument(before, *doc));
    EXPECT_EQ(doc->UndoPositionText(), "0/1");
}

TEST_F(SelectionTest, TransformsUnderOtherToolsFloatNothingAndMakeOneEntryOrNone) {
    doc->TransformPicture(PictureTransform::MirrorHorizontally, ToolPen, 1, kOpaque);
    EXPECT_EQ(PictureRows(*doc), (std::vector<std::string>{"...21", "..4x3", ".....", "5...."}));
    EXPECT_EQ(doc->UndoHistory().size(), 1u);

    // A non-square picture turned: the fragment lies H wide and W tall at the top left, and
    // what falls outside (here "..31") is lost.
    doc->TransformPicture(PictureTransform::TurnRight90, ToolPaint, 1, kOpaque);
    EXPECT_EQ(PictureRows(*doc), (std::vector<std::string>{"5....", ".....", "..4..", "..x2."}));

    // Nothing to change: no entry.
    auto blank = MakeDoc(4, 4);
    blank->TransformPicture(PictureTransform::Turn180, ToolPen, 1, kOpaque);
    blank->TransformPicture(PictureTransform::EraseXMarks, ToolPen, 1, kTransparent);
    EXPECT_TRUE(blank->UndoHistory().empty());
}

TEST_F(SelectionTest, TransformsUnderTheSelectToolKeepTheFragmentFloating) {
    doc->TransformPicture(PictureTransform::MirrorHorizontally, ToolSelect, 1, kOpaque);
    EXPECT_TRUE(doc->HasFloatingSelection());
    EXPECT_EQ(PictureRows(*doc), PictureRows(*MakeDoc(5, 4)));  // blank until dropped
    EXPECT_TRUE(doc->HasPendingUndo());

    // A floating 3 x 2 fragment turned keeps its first corner.
    doc->CommitFloatingSelection(kOpaque);
    ASSERT_TRUE(doc->LiftSelection(1, 1, 3, 2, kOpaque));
    doc->TransformPicture(PictureTransform::TurnRight90, ToolSelect, 1, kOpaque);
    EXPECT_EQ(doc->SelectionRect(), (CellRect{1, 1, 2, 3}));
}

}  // namespace
}  // namespace tessemar
