#include "SolverTestUtil.h"

#include "core/solver/ClueNumbers.h"
#include "core/solver/SolveReport.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>

namespace tessemar::testing {
namespace {

// Slots of a row or column as "number/colour" from slot 0 on, stopping at the first unused slot.
std::string Slots(const CLogicDoc& doc, int side, int line) {
    const PuzzleModel& m = doc.Model();
    const bool row = side == SideRow;
    std::string s;
    for (int k = 0; k < (row ? m.columnCount : m.rowCount); ++k) {
        const int number = row ? m.rowClueNumbers[k][line] : m.columnClueNumbers[line][k];
        if (number == kEmptySlot)
            break;
        const int colour = row ? m.rowClueColors[k][line] : m.columnClueColors[line][k];
        s += std::to_string(number) + "/" + std::to_string(colour) + " ";
    }
    return s;
}

TEST(ClueNumbersTest, CalculateNumbersReadsRunsFromThePictureOutwards) {
    CLogicDoc doc;
    LoadSize(doc, 10, 3);
    const std::int8_t row0[10] = {1, 1, 0, 2, 2, 2, -1, 1, 0, 0};
    const std::int8_t row1[10] = {1, 1, 2, 2, 0, 0, 0, 0, 0, 0};
    for (int x = 0; x < 10; ++x) {
        LoadCell(doc, x, 0, row0[x]);
        LoadCell(doc, x, 1, row1[x]);
    }
    // Stale slots beyond the new clues must be cleared.
    doc.SetClueNumber(SideRow, 7, 2, 4, 3);
    CalculateNumbers(doc);
    EXPECT_EQ(Slots(doc, SideRow, 0), "1/1 3/2 2/1 ");
    EXPECT_EQ(Slots(doc, SideRow, 1), "2/2 2/1 ");  // a change of colour starts a new run
    EXPECT_EQ(doc.Model().rowClueNumbers[7][2], kEmptySlot);
    EXPECT_EQ(doc.Model().rowClueColors[7][2], 0);
    EXPECT_EQ(Slots(doc, SideColumn, 0), "2/1 ");  // k = 0 is the bottom run
    EXPECT_EQ(Slots(doc, SideColumn, 2), "1/2 ");
    EXPECT_EQ(Slots(doc, SideColumn, 6), "0/1 ");  // the X mark is no run
}

TEST(ClueNumbersTest, CalculateNumbersRecordsOnlyRealChanges) {
    auto doc = DocumentFromPicture({"11.2", "..22"});  // its history starts empty
    CalculateNumbers(*doc);
    EXPECT_TRUE(doc->UndoHistory().empty());  // nothing changed, nothing to undo
    LoadCell(*doc, 0, 1, 3);
    CalculateNumbers(*doc);
    // Row 1 gains a run in slot 1; column 0 changes slot 0 and gains slot 1: three slots.
    ASSERT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_EQ(doc->UndoHistory().back().size(), 3 * kUndoRecordSize);
}

// What CheckNumbers reports, as "row 4", "column 2", "colour 3" (each output that is not -1)
// or "" when the numbers pass.
std::string Problem(const CLogicDoc& doc) {
    int row = -1, column = -1, colour = -1;
    const bool wrong = CheckNumbers(doc, row, column, colour);
    std::string problem;
    if (row != -1)
        problem += "row " + std::to_string(row);
    if (column != -1)
        problem += "column " + std::to_string(column);
    if (colour != -1)
        problem += "colour " + std::to_string(colour);
    EXPECT_EQ(wrong, !problem.empty());
    return problem;
}

TEST(ClueNumbersTest, CheckNumbersReportsTheFirstProblem) {
    using Slots = std::vector<std::tuple<int, int, int, int>>;  // line, slot, number, colour
    struct Case {
        const char* name;
        Slots rowSlots, columnSlots;
        std::string problem;  // as Problem gives it
    };
    // A 5 x 5 puzzle without clues passes; each case adds slots.
    const Case cases[] = {
        {"two runs of one colour with their gap fit",
         {{0, 0, 2, 1}, {0, 1, 2, 1}},
         {{0, 0, 4, 1}},
         ""},
        {"3 and 2 of two colours need only 5",
         {{0, 0, 2, 1}, {0, 1, 3, 2}},
         {{0, 0, 2, 1}, {1, 0, 3, 2}},
         ""},
        {"an unused slot between two runs still separates them",
         {{3, 0, 2, 1}, {3, 2, 3, 1}},
         {{0, 0, 5, 1}},
         "row 3"},
        {"a slot without colour does not count", {{1, 0, 5, 1}, {1, 1, 9, 0}}, {{0, 0, 5, 1}}, ""},
        {"a column that does not fit", {}, {{2, 0, 3, 4}, {2, 1, 2, 4}}, "column 2"},
        {"rows are checked before columns", {{4, 0, 6, 1}}, {{0, 0, 6, 1}}, "row 4"},
        {"colours are compared in order", {{0, 0, 1, 5}, {1, 0, 1, 3}}, {{0, 0, 1, 5}}, "colour 3"},
    };
    for (const Case& c : cases) {
        CLogicDoc doc;
        LoadSize(doc, 5, 5);
        for (auto [y, k, number, colour] : c.rowSlots)
            doc.SetClueNumber(SideRow, k, y, number, colour);
        for (auto [x, k, number, colour] : c.columnSlots)
            doc.SetClueNumber(SideColumn, x, k, number, colour);
        EXPECT_EQ(Problem(doc), c.problem) << c.name;
    }
    EXPECT_EQ(NumbersWrongMessage(-1, 2, -1, text::Language::English),
              "Numbers are wrong!\r\n    Clumn 3 is wrong\r\n\r\nDo you want to calculate now?");
    EXPECT_EQ(NumbersWrongMessage(0, -1, -1, text::Language::Japanese),
              "数字が不正です！\r\n    "
              "1行目の数字の合計が多過ぎます。\r\n\r\nこのまま計算を実行しますか？");
    EXPECT_EQ(NumbersWrongMessage(-1, -1, -1, text::Language::English), "");
}

TEST(ClueNumbersTest, WriteBackRecordsOneUndoRecordPerChangedCell) {
    auto doc = DocumentFromPicture({"1.", ".1"});
    LoadCell(*doc, 0, 0, 0);
    LoadCell(*doc, 1, 0, -1);
    LoadCell(*doc, 0, 1, 2);
    ByteMatrix grid(2, 2, 0);
    grid.Set(0, 0, 1);    // (0, 0) becomes colour 1
    grid.Set(0, 1, 255);  // (0, 1) becomes an X mark
    grid.Set(1, 0, 255);  // (1, 0) is an X mark already: the same byte
    const SolveResult result{.grid = &grid, .width = 2, .height = 2};
    EXPECT_EQ(WriteBackSolution(*doc, result), 3);  // (1, 1) unknown: written as an empty cell
    EXPECT_EQ(doc->Cell(0, 0), 1);
    EXPECT_EQ(doc->Cell(0, 1), -1);
    EXPECT_EQ(doc->Cell(1, 0), -1);
    EXPECT_EQ(doc->Cell(1, 1), 0);
    ASSERT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_EQ(doc->UndoHistory()[0].size(), 3 * kUndoRecordSize);
}

}  // namespace
}  // namespace tessemar::testing
