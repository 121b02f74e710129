#pragma once

// Typing clue numbers: where the number box opens and moves, what a key does to it, and which
// number its text stands for. Plain rules of the model, so that the window only carries them
// out.

#include "core/document/PuzzleModel.h"

#include <optional>
#include <string_view>

namespace tessemar {

// A clue slot as the number box addresses it: in the row clues (side SideRow) x is the slot
// and y the row, in the column clues (SideColumn) x is the column and y the slot. Slot 0 lies
// next to the picture.
struct ClueSlot {
    int side = SideRow;
    int x = 0;
    int y = 0;
    int Slot() const { return side == SideRow ? x : y; }
    friend bool operator==(const ClueSlot&, const ClueSlot&) = default;
};

// Where a box asked for at `slot` opens: on the slot itself when it holds a number, else on
// the first empty slot after the numbers nearer the picture, so that typing never leaves gaps
// in a line.
ClueSlot SlotToOpen(const PuzzleModel& model, ClueSlot slot);

// The slot a move of the box by d goes to. d = 1..4 in the row clues: towards the picture,
// previous row, away from the picture, next row; d = -1..-4 in the column clues: next column,
// away from the picture, previous column, towards the picture. Moving past the end of a line
// goes on in the neighbouring line. Nothing where no move is possible.
std::optional<ClueSlot> NumberBoxMoveTarget(const PuzzleModel& model, ClueSlot from, int d);

// The moves of the Left, Up, Right and Down commands and keys: each goes in its direction on
// the screen.
enum class ScreenDirection { Left, Up, Right, Down };
int MoveOnScreen(int side, ScreenDirection direction);

// The number that the box's text stores: 0..line length (W for a row, H for a column), or
// kEmptySlot for an empty text, a number too large or anything that is no number.
std::uint8_t ClueNumberFromText(std::string_view text, int lineLength);

// The keys of an open number box.
enum class BoxKey {
    MoveLeft, MoveUp, MoveRight, MoveDown,  // the configured movement keys
    Enter, Space, PageUp, PageDown, ArrowUp, ArrowDown, Backspace,
    Editing,  // Left and Right arrows, Insert, Delete, digits: the box edits its text
    Other,
};

// What a key does: the box keeps it (Pass), refuses it with a beep, closes storing its number,
// moves by d after storing, stores and makes room with an empty slot at slot 0 (the box stays
// there), or deletes its empty slot (reopening by d unless d is 0).
struct BoxKeyAction {
    enum Kind { Pass, Beep, Store, Move, StoreAndInsert, DeleteSlot };
    Kind kind = Pass;
    int d = 0;
    friend bool operator==(const BoxKeyAction&, const BoxKeyAction&) = default;
};

// shiftDirection 1 types a line from its outer end towards the picture, 0 from the picture
// outwards.
BoxKeyAction ActionForBoxKey(BoxKey key, const ClueSlot& at, bool boxEmpty, int shiftDirection);

}  // namespace tessemar
