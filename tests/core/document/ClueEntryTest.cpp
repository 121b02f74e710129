#include "core/document/ClueEntry.h"

#include <gtest/gtest.h>

#include <optional>

namespace tessemar {
namespace {

constexpr int R = SideRow;
constexpr int C = SideColumn;

// A 10 x 4 puzzle: row 1 holds numbers in slots 0..2, column 3 in slots 0..1.
PuzzleModel Model() {
    PuzzleModel m;
    m.columnCount = 10;
    m.rowCount = 4;
    for (int k = 0; k < 3; ++k) m.rowClueNumbers[k][1] = 2;
    for (int k = 0; k < 2; ++k) m.columnClueNumbers[3][k] = 1;
    return m;
}

TEST(ClueEntryTest, TheMoveTable) {
    const PuzzleModel m = Model();
    struct Case {
        int d;
        ClueSlot from;
        std::optional<ClueSlot> to;
    };
    const std::optional<ClueSlot> none;
    const Case cases[] = {
        {1, {R, 4, 2}, ClueSlot{R, 3, 2}}, {1, {R, 0, 2}, ClueSlot{R, 9, 1}}, {1, {R, 0, 0}, none},
        {2, {R, 4, 2}, ClueSlot{R, 4, 1}}, {2, {R, 4, 0}, none},
        {3, {R, 4, 2}, ClueSlot{R, 5, 2}}, {3, {R, 9, 2}, ClueSlot{R, 0, 3}}, {3, {R, 9, 3}, none},
        {4, {R, 4, 2}, ClueSlot{R, 4, 3}}, {4, {R, 4, 3}, none},
        {-1, {C, 4, 2}, ClueSlot{C, 5, 2}}, {-1, {C, 9, 2}, none},
        {-2, {C, 4, 2}, ClueSlot{C, 4, 3}}, {-2, {C, 4, 3}, ClueSlot{C, 5, 0}}, {-2, {C, 9, 3}, none},
        {-3, {C, 4, 2}, ClueSlot{C, 3, 2}}, {-3, {C, 0, 2}, none},
        {-4, {C, 4, 2}, ClueSlot{C, 4, 1}}, {-4, {C, 4, 0}, ClueSlot{C, 3, 3}}, {-4, {C, 0, 0}, none},
        {0, {R, 4, 2}, none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberBoxMoveTarget(m, c.from, c.d), c.to) << c.d << " from " << c.from.x << "," << c.from.y;
    }
}

TEST(ClueEntryTest, TheBoxOpensOnANumberOrRightAfterTheNumbersBeforeIt) {
    PuzzleModel m = Model();
    m.rowClueNumbers[7][1] = 4;  // a number beyond a gap
    const std::pair<ClueSlot, ClueSlot> cases[] = {
        {{R, 9, 0}, {R, 0, 0}},  // far out in an empty line: slot 0
        {{R, 6, 1}, {R, 3, 1}},  // after the last number before the click
        {{R, 9, 1}, {R, 8, 1}},
        {{R, 7, 1}, {R, 7, 1}},  // on a number
        {{C, 3, 3}, {C, 3, 2}},
    };
    for (const auto& [clicked, opened] : cases) EXPECT_EQ(SlotToOpen(m, clicked), opened) << clicked.x << "," << clicked.y;
}

TEST(ClueEntryTest, OnlyNumbersUpToTheLineLengthAreStored) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"10", 10}, {"007", 7}, {"15", kEmptySlot}, {"", kEmptySlot}, {"1a", kEmptySlot}, {"1000", kEmptySlot},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(ClueNumberFromText(text, 10), number) << text;
}

// The key table for both typing directions, in the row clues and the column clues.
TEST(ClueEntryTest, TheKeyTable) {
    using K = BoxKeyAction;
    struct Case {
        BoxKey key;
        int side;
        int slot;
        bool empty;
        int shiftDirection;
        BoxKeyAction action;
    };
    const Case cases[] = {
        {BoxKey::MoveLeft, R, 2, false, 1, {K::Move, 3}},   {BoxKey::MoveUp, C, 2, false, 0, {K::Move, -2}},
        {BoxKey::MoveRight, C, 2, false, 0, {K::Move, -1}}, {BoxKey::MoveDown, R, 2, false, 1, {K::Move, 4}},
        {BoxKey::Enter, C, 0, true, 1, {K::Store}},         {BoxKey::Space, C, 0, false, 0, {K::Move, -2}},
        {BoxKey::Space, R, 0, false, 1, {K::StoreAndInsert}}, {BoxKey::Space, R, 2, false, 1, {K::Move, 1}},
        {BoxKey::Space, C, 2, false, 1, {K::Move, -4}},     {BoxKey::PageUp, R, 2, false, 1, {K::Move, 3}},
        {BoxKey::PageDown, C, 2, false, 1, {K::Move, -4}},  {BoxKey::ArrowUp, C, 2, false, 1, {K::Move, -3}},
        {BoxKey::ArrowDown, R, 2, false, 1, {K::Move, 4}},  {BoxKey::Backspace, R, 2, false, 0, {K::Pass}},
        {BoxKey::Backspace, C, 2, true, 0, {K::DeleteSlot, -4}}, {BoxKey::Backspace, R, 2, true, 1, {K::DeleteSlot, 0}},
        {BoxKey::Editing, R, 2, true, 1, {K::Pass}},        {BoxKey::Other, C, 2, false, 0, {K::Beep}},
    };
    for (const Case& c : cases) {
        const ClueSlot at = c.side == R ? ClueSlot{R, c.slot, 1} : ClueSlot{C, 1, c.slot};
        EXPECT_EQ(ActionForBoxKey(c.key, at, c.empty, c.shiftDirection), c.action)
            << static_cast<int>(c.key) << " side " << c.side << " slot " << c.slot << " shift " << c.shiftDirection;
    }
}

}  // namespace
}  // namespace tessemar
