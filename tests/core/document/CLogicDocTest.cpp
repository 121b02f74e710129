#include "core/document/CLogicDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace tessemar {
namespace {

// Records what the document announces.
struct Recorder : DocumentObserver {
    std::vector<std::string> events;
    void OnCellChanged(int x, int y) override { events.push_back("cell " + std::to_string(x) + "," + std::to_string(y)); }
    void OnClueSlotChanged(int side, int i, int j) override {
        events.push_back("slot " + std::to_string(side) + ":" + std::to_string(i) + "," + std::to_string(j));
    }
    void OnLayoutChanged() override { events.push_back("layout"); }
    void OnHistoryChanged() override { events.push_back("history"); }
};

struct CLogicDocTest : ::testing::Test {
    Recorder recorder;
    CLogicDoc doc;
    void SetUp() override { doc.AddObserver(&recorder); }
};

TEST_F(CLogicDocTest, WritesOutsideThePuzzleOrOfTheSameValueChangeAndAnnounceNothing) {
    EXPECT_FALSE(doc.WriteCell(3, 4, 0));
    doc.SetClueNumber(SideRow, 0, 0, 255, 0);
    EXPECT_FALSE(doc.WriteCell(-1, 0, 1));
    EXPECT_FALSE(doc.WriteCell(0, -1, 1));
    EXPECT_FALSE(doc.WriteCell(15, 0, 1));  // beyond the picture, inside the arrays
    EXPECT_FALSE(doc.WriteCell(0, 0, 9));   // no cell value
    doc.SetClueNumber(7, 0, 0, 5, 3);       // no such side
    doc.SetClueNumber(SideRow, 250, 0, 5, 3);
    doc.SetClueNumber(SideColumn, 0, -1, 5, 3);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.UndoHistory().empty());
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(CLogicDocTest, AnEditIsOneEntryWithItsRecordsNewestFirstAndOneAnnouncement) {
    {
        DocumentEdit edit(doc);
        EXPECT_TRUE(doc.WriteCell(3, 4, kCellX));
        doc.SetClueNumber(SideColumn, 2, 1, 5, 3);
        edit.Commit();
    }
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"cell 3,4", "slot 2:2,1", "history"}));
    ASSERT_EQ(doc.UndoHistory().size(), 1u);
    EXPECT_EQ(doc.UndoHistory()[0], std::string("\x02\x02\x01\x05\xFF\x03\x00\x00\x03\x04\xFF\x00\x00\x00", 14));

    DocumentEdit(doc).Commit();  // changes nothing: no entry
    EXPECT_EQ(doc.UndoHistory().size(), 1u);
}

TEST_F(CLogicDocTest, AnAbandonedEditTakesItsChangesBackAndLeavesNoEntry) {
    doc.WriteCell(0, 0, 2);
    ASSERT_TRUE(doc.LiftSelection(0, 0, 1, 1, 1));  // its records stay pending while it floats
    const std::string held = doc.PendingUndo();
    const PuzzleModel before = doc.Model();
    recorder.events.clear();
    const auto abandon = [&](bool byException) {
        DocumentEdit edit(doc);
        doc.WriteCell(5, 5, 1);
        doc.WriteCell(5, 5, 3);
        {
            DocumentEdit inner(doc);
            doc.SetClueNumber(SideRow, 1, 1, 4, 2);
            inner.Commit();  // joins the outer edit
        }
        if (byException) throw std::runtime_error("half way");
    };
    EXPECT_THROW(abandon(true), std::runtime_error);
    abandon(false);
    EXPECT_EQ(doc.Model().cells, before.cells);
    EXPECT_EQ(doc.Model().rowClueNumbers, before.rowClueNumbers);
    EXPECT_EQ(doc.PendingUndo(), held);
    EXPECT_EQ(doc.UndoHistory().size(), 1u);
    EXPECT_FALSE(doc.EditInProgress());
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "history"), 0);

    // The drop makes one entry of the lift and itself.
    doc.CommitFloatingSelection(1);
    EXPECT_EQ(doc.UndoHistory().size(), 2u);
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "history"), 1);
}

}  // namespace
}  // namespace tessemar
