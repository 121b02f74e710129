#include "EditingSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace tessemar {
namespace {

using edit_test::MakeDoc;
using edit_test::SameDocument;
using edit_test::Snapshot;

// One clue slot as (number, colour).
using Slot = std::pair<int, int>;
// All clue slots of one side inside the puzzle: lines[line][slot].
using Side = std::vector<std::vector<Slot>>;

Slot At(const PuzzleModel& m, int side, int line, int slot) {
    if (side == SideRow) return {m.rowClueNumbers[slot][line], m.rowClueColors[slot][line]};
    return {m.columnClueNumbers[line][slot], m.columnClueColors[line][slot]};
}

Side Read(const PuzzleModel& m, int side) {
    const int lines = side == SideRow ? m.rowCount : m.columnCount;
    const int slots = side == SideRow ? m.columnCount : m.rowCount;
    Side result(lines);
    for (int line = 0; line < lines; ++line) {
        for (int slot = 0; slot < slots; ++slot) result[line].push_back(At(m, side, line, slot));
    }
    return result;
}

const Slot kEmpty{kEmptySlot, 0};

// What each command does to the slots, written with vector insert and erase.
void InsertSlot(Side& s, int line, int slot) {
    s[line].insert(s[line].begin() + slot, kEmpty);
    s[line].pop_back();
}
void DeleteSlot(Side& s, int line, int slot) {
    s[line].erase(s[line].begin() + slot);
    s[line].push_back(kEmpty);
}
void InsertLine(Side& s, int line, int) {
    s.insert(s.begin() + line, std::vector<Slot>(s[0].size(), kEmpty));
    s.pop_back();
}
void DeleteLine(Side& s, int line, int) {
    s.erase(s.begin() + line);
    s.push_back(std::vector<Slot>(s[0].size(), kEmpty));
}

TEST(ClueLinesTest, SlotAndLineCommandsMoveNumbersWithTheirColours) {
    using Command = void (CLogicDoc::*)(int, int, int);
    struct Case {
        const char* name;
        Command command;
        std::function<void(Side&, int, int)> expected;
    };
    const Case cases[] = {
        {"insert slot", &CLogicDoc::InsertClueSlot, InsertSlot},
        {"delete slot", &CLogicDoc::DeleteClueSlot, DeleteSlot},
        {"insert line", &CLogicDoc::InsertClueLine, InsertLine},
        {"delete line", &CLogicDoc::DeleteClueLine, DeleteLine},
    };
    std::mt19937 random(7);
    for (const Case& c : cases) {
        for (int side : {SideRow, SideColumn}) {
            // First, middle and last slot and line, in a puzzle that is not square.
            for (auto [line, slot] : {std::pair{0, 0}, {2, 3}, {3, 4}, {5, 0}}) {
                SCOPED_TRACE(::testing::Message() << c.name << " side " << side << " line " << line << " slot " << slot);
                auto doc = side == SideRow ? MakeDoc(5, 6) : MakeDoc(6, 5);
                edit_test::FillEverything(*doc, random);
                const Snapshot before(*doc);
                Side expected = Read(doc->Model(), side);
                const Side otherSide = Read(doc->Model(), side == SideRow ? SideColumn : SideRow);
                c.expected(expected, line, slot);
                const int i = side == SideRow ? slot : line;
                const int j = side == SideRow ? line : slot;
                (doc.get()->*c.command)(side, i, j);
                EXPECT_EQ(Read(doc->Model(), side), expected);
                EXPECT_EQ(Read(doc->Model(), side == SideRow ? SideColumn : SideRow), otherSide);
                // Slots just outside the puzzle keep their values.
                EXPECT_EQ(doc->Model().rowClueNumbers[5][0], before.model->rowClueNumbers[5][0]);
                EXPECT_EQ(doc->Model().columnClueNumbers[0][5], before.model->columnClueNumbers[0][5]);
                // One entry; what undoing it gives back is the editing property test's concern.
                EXPECT_EQ(doc->UndoHistory().size(), 1u);
            }
        }
    }
}

TEST(ClueLinesTest, SlotsOutsideThePuzzleOrAnUnknownSideDoNothing) {
    auto doc = MakeDoc(5, 4);
    std::mt19937 random(3);
    edit_test::FillEverything(*doc, random);
    const Snapshot before(*doc);
    for (auto [side, i, j] : {std::tuple<int, int, int>{SideRow, 5, 0}, {SideRow, 0, 4}, {SideColumn, 5, 0}, {SideColumn, 0, 4},
                              {SideRow, -1, 0}, {SideColumn, 0, -1}, {3, 0, 0}, {0, 0, 0}}) {
        doc->InsertClueSlot(side, i, j);
        doc->DeleteClueSlot(side, i, j);
        doc->InsertClueLine(side, i, j);
        doc->DeleteClueLine(side, i, j);
    }
    EXPECT_TRUE(SameDocument(before, *doc));
    EXPECT_TRUE(doc->UndoHistory().empty());
}

TEST(ClueLinesTest, FormatCommandsClearOnlyThePuzzleAsOneEntry) {
    auto doc = MakeDoc(4, 3);
    std::mt19937 random(5);
    edit_test::FillEverything(*doc, random);
    const Snapshot before(*doc);
    doc->FormatNumbers();
    doc->FormatPicture(1);
    ASSERT_EQ(doc->UndoHistory().size(), 2u);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(doc->Model().RowClueLength(y), 0);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(doc->Cell(x, y), 0);
    }
    EXPECT_EQ(doc->Model().cells[4][0], before.model->cells[4][0]);
    EXPECT_EQ(doc->Model().rowClueNumbers[4][0], before.model->rowClueNumbers[4][0]);
    doc->FormatPicture(1);  // nothing left to clear: no entry
    EXPECT_EQ(doc->UndoHistory().size(), 2u);
}

}  // namespace
}  // namespace tessemar
