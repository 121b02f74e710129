#include "EditingSupport.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>

#include <string>

namespace tessemar {
namespace {

using edit_test::MakeDoc;

constexpr int kOpaque = 1;

struct Events : DocumentObserver {
    int layouts = 0;
    void OnLayoutChanged() override { ++layouts; }
};

void Stroke(CLogicDoc& doc, int x, int value) { doc.WriteCell(x, 0, value); }

TEST(UndoHistoryTest, PositionTextFollowsUndoAndANewActionDropsTheRedoTail) {
    auto doc = MakeDoc(5, 5);
    Stroke(*doc, 0, 1);
    Stroke(*doc, 1, 1);
    Stroke(*doc, 2, 1);
    doc->Undo(kOpaque);
    EXPECT_EQ(doc->UndoPositionText(), "2/3");
    Stroke(*doc, 4, 2);
    EXPECT_EQ(doc->UndoPositionText(), "3");
    EXPECT_EQ(doc->Redo(), false);

    // Undo to the start and past it: nothing more happens.
    for (int n = 0; n < 3; ++n) EXPECT_EQ(doc->Undo(kOpaque), true);
    EXPECT_EQ(doc->Undo(kOpaque), false);
    EXPECT_EQ(doc->UndoPositionText(), "0/3");
}

TEST(UndoHistoryTest, AvailabilityFollowsOpenEditsTheSelectionAndClearing) {
    auto doc = MakeDoc(5, 5);
    Stroke(*doc, 0, 1);
    Stroke(*doc, 1, 1);
    doc->Undo(kOpaque);
    EXPECT_TRUE(doc->CanUndo());
    EXPECT_TRUE(doc->CanRedo());
    EXPECT_TRUE(doc->CanClearUndoBuffer());

    {
        // A stroke or a solver run holds an edit open: the history must not move under it.
        DocumentEdit stroke(*doc);
        EXPECT_FALSE(doc->CanUndo());
        EXPECT_FALSE(doc->CanRedo());
        EXPECT_FALSE(doc->Undo(kOpaque));
        stroke.Commit();
    }

    ASSERT_TRUE(doc->LiftSelection(0, 0, 1, 1, kOpaque));
    EXPECT_TRUE(doc->CanUndo());
    EXPECT_FALSE(doc->CanRedo());
    EXPECT_EQ(doc->Redo(), false);  // refused: the lift records would be lost
    EXPECT_TRUE(doc->HasFloatingSelection());
    doc->CommitFloatingSelection(kOpaque);

    // Clearing leaves the document as it is with nothing to undo or redo.
    doc->Undo(kOpaque);
    doc->ClearUndoHistory();
    EXPECT_EQ(doc->UndoPositionText(), "0");
    EXPECT_FALSE(doc->CanRedo());
    EXPECT_EQ(doc->Cell(0, 0), 1);
}

// What undoing a size change gives back is the editing property test's concern.
TEST(UndoHistoryTest, SizeChangesRefuseBadSizesAndAnnounceTheLayoutEachWay) {
    auto doc = MakeDoc(10, 10);
    for (auto [w, h, s] : {std::tuple{0, 5, 17}, {251, 5, 17}, {5, 0, 17}, {5, 251, 17}, {5, 5, 10}, {5, 5, 52}}) {
        EXPECT_FALSE(doc->ChangeSize(w, h, s, kOpaque));
    }
    EXPECT_TRUE(doc->ChangeSize(10, 10, 17, kOpaque));
    EXPECT_TRUE(doc->UndoHistory().empty());  // no real change, so the refused ones changed nothing

    Events events;
    doc->AddObserver(&events);
    ASSERT_TRUE(doc->ChangeSize(250, 1, 30, kOpaque));
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    doc->Undo(kOpaque);
    doc->Redo();
    EXPECT_EQ(events.layouts, 3);  // one for each step
}

TEST(UndoHistoryTest, TitleChangesAreOneEntryEachWay) {
    auto doc = MakeDoc(5, 5);
    ChangeModel(*doc, [](PuzzleModel& m) { m.title = "two\nlines"; });  // as a file may hold it
    doc->SetModifiedFlag(false);
    doc->ChangeTitle("Cat");
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    doc->Undo(kOpaque);
    EXPECT_EQ(doc->Model().title, "two\nlines");
    EXPECT_FALSE(doc->IsModified());
    doc->Redo();
    doc->ChangeTitle("Cat");  // the title it has: no entry
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    doc->ChangeTitle("a\nb");  // the title is one line
    EXPECT_EQ(doc->Model().title, "a b");
}

}  // namespace
}  // namespace tessemar
