#include "core/document/CLogicDoc.h"

#include <gtest/gtest.h>

#include <memory>

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
};

TEST(CLogicDocTest, NewDocumentHasTheDefaults) {
    auto doc = std::make_unique<CLogicDoc>();
    EXPECT_EQ(doc->columnCount(), 15);
    EXPECT_EQ(doc->rowCount(), 15);
    EXPECT_EQ(doc->cellSize(), 17);
    EXPECT_EQ(doc->Model().title, "Untitled");
    EXPECT_EQ(doc->Model().fontFaceName, "Arial");
    EXPECT_EQ(doc->Model().fontWeight, 700);
    EXPECT_EQ(doc->Model().colors, kDefaultColors);
    EXPECT_EQ(doc->Model().formatVersion[0], 1);
    EXPECT_EQ(doc->UndoPosition(), -1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->Model().rowClueNumbers[249][249], kEmptySlot);
}

TEST(CLogicDocTest, SettingTheSameValueChangesNothing) {
    auto doc = std::make_unique<CLogicDoc>();
    Recorder recorder;
    doc->AddObserver(&recorder);
    doc->SetCell(3, 4, 0);
    doc->SetClueNumber(SideRow, 0, 0, 255, 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->HasPendingUndo());
    EXPECT_TRUE(recorder.events.empty());

    doc->SetCell(3, 4, kCellX);
    doc->SetClueNumber(SideColumn, 2, 1, 5, 3);
    doc->SetClueNumber(7, 0, 0, 5, 3);  // no such side: ignored
    doc->SetClueNumber(SideRow, 250, 0, 5, 3);  // beyond the arrays: ignored
    doc->SetClueNumber(SideColumn, 0, -1, 5, 3);
    doc->SetCell(-1, 0, 1);
    doc->SetCell(0, 250, 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"cell 3,4", "slot 2:2,1"}));
    EXPECT_EQ(doc->Cell(3, 4), kCellX);
    EXPECT_EQ(doc->Model().columnClueNumbers[2][1], 5);
    EXPECT_EQ(doc->Model().columnClueColors[2][1], 3);
    // SetCell records nothing; SetClueNumber records [side, i, j, new, old, new colour, old colour].
    EXPECT_EQ(doc->PendingUndo(), std::string("\x02\x02\x01\x05\xFF\x03\x00", 7));
}

TEST(CLogicDocTest, UndoEntriesHoldRecordsNewestFirstAndDropTheRedoTail) {
    auto doc = std::make_unique<CLogicDoc>();
    doc->SetClueNumber(SideRow, 0, 0, 1, 1);
    doc->SetClueNumber(SideRow, 1, 0, 2, 1);
    doc->CommitUndo();
    ASSERT_EQ(doc->UndoHistory().size(), 1u);
    const std::string& entry = doc->UndoHistory()[0];
    ASSERT_EQ(entry.size(), 14u);
    EXPECT_EQ(entry[1], 1);  // newest record (slot 1) first
    EXPECT_EQ(entry[8], 0);
    EXPECT_FALSE(doc->HasPendingUndo());

    doc->CommitUndo();  // nothing pending: no entry
    EXPECT_EQ(doc->UndoHistory().size(), 1u);

    doc->SetClueNumber(SideRow, 2, 0, 3, 1);
    doc->CommitUndo();
    doc->SetClueNumber(SideRow, 3, 0, 3, 1);
    doc->CommitUndo();
    EXPECT_EQ(doc->UndoPosition(), 2);
    doc->SetUndoPosition(1);  // one step undone
    doc->SetClueNumber(SideRow, 4, 0, 3, 1);
    doc->CommitUndo();
    EXPECT_EQ(doc->UndoHistory().size(), 3u);
    EXPECT_EQ(doc->UndoPosition(), 2);
    EXPECT_EQ(doc->UndoHistory()[2][1], 4);
}

TEST(CLogicDocTest, ResizingKeepsWhatFallsOutside) {
    auto doc = std::make_unique<CLogicDoc>(DocumentDefaults{.columnCount = 20, .rowCount = 20});
    doc->SetCell(15, 15, 2);
    doc->SetClueNumber(SideRow, 12, 3, 7, 1);
    doc->SetPuzzleSize(10, 10);
    EXPECT_EQ(doc->Model().RowClueLength(3), 0);
    doc->SetPuzzleSize(20, 20);
    EXPECT_EQ(doc->Cell(15, 15), 2);
    EXPECT_EQ(doc->Model().RowClueLength(3), 13);
}

TEST(CLogicDocTest, ClearAllNumbersRecordsOnlyRealChanges) {
    auto doc = std::make_unique<CLogicDoc>();
    doc->SetClueNumber(SideRow, 1, 0, 3, 1);
    doc->SetClueNumber(SideColumn, 4, 0, 2, 2);
    doc->CommitUndo();
    doc->ClearAllNumbers();
    EXPECT_EQ(doc->PendingUndo().size(), 14u);
    EXPECT_EQ(doc->Model().RowClueLength(0), 0);
    EXPECT_EQ(doc->Model().ColumnClueLength(4), 0);
}

TEST(CLogicDocTest, DocumentFileNameIsTheTitleUntilSaved) {
    auto doc = std::make_unique<CLogicDoc>();
    doc->SetTitle("Logic1");
    EXPECT_EQ(doc->GetDocumentFileName(), "Logic1");
    doc->SetPathName("/home/user/puzzles/cat.tsd");
    EXPECT_EQ(doc->GetDocumentFileName(), "cat.tsd");
}

TEST(CLogicDocTest, FileSizeEstimateCountsCluesAndColours) {
    auto doc = std::make_unique<CLogicDoc>(DocumentDefaults{.columnCount = 3, .rowCount = 1, .title = "T"});
    // 109 + 2 + 6 + (1 + 3 + 3 numbers) + ceil(3 / 2) + ceil(3 / 2)
    doc->SetClueNumber(SideRow, 0, 0, 1, 1);
    doc->SetClueNumber(SideRow, 2, 0, 1, 1);  // slot 1 stays empty but counts
    EXPECT_EQ(doc->GetFileSizeEstimate(), 109 + 2 + 6 + 7 + 2 + 2);
}

}  // namespace
}  // namespace tessemar
