#include "core/document/ClueEntry.h"

namespace tessemar {
namespace {

// The move by d that goes towards the picture, and the one away from it.
int TowardsPicture(int side) { return side == SideRow ? 1 : -4; }
int AwayFromPicture(int side) { return side == SideRow ? 3 : -2; }

}  // namespace

ClueSlot SlotToOpen(const PuzzleModel& model, ClueSlot slot) {
    int& k = slot.side == SideRow ? slot.x : slot.y;
    const auto emptyAt = [&](int slotIndex) {
        const int x = slot.side == SideRow ? slotIndex : slot.x;
        const int y = slot.side == SideRow ? slot.y : slotIndex;
        return model.ClueNumbers(slot.side)[x][y] == kEmptySlot;
    };
    if (!emptyAt(k)) return slot;
    // Back towards the picture over empty slots: the box opens just past the nearest number.
    while (k > 0 && emptyAt(k - 1)) --k;
    return slot;
}

std::optional<ClueSlot> NumberBoxMoveTarget(const PuzzleModel& model, ClueSlot from, int d) {
    const int w = model.columnCount;
    const int h = model.rowCount;
    const int x = from.x;
    const int y = from.y;
    const auto at = [&from](int a, int b) { return std::optional<ClueSlot>(ClueSlot{from.side, a, b}); };
    switch (d) {
        case 1: return x > 0 ? at(x - 1, y) : y > 0 ? at(w - 1, y - 1) : std::nullopt;
        case 2: return y > 0 ? at(x, y - 1) : std::nullopt;
        case 3: return x < w - 1 ? at(x + 1, y) : y < h - 1 ? at(0, y + 1) : std::nullopt;
        case 4: return y < h - 1 ? at(x, y + 1) : std::nullopt;
        case -1: return x < w - 1 ? at(x + 1, y) : std::nullopt;
        case -2: return y < h - 1 ? at(x, y + 1) : x < w - 1 ? at(x + 1, 0) : std::nullopt;
        case -3: return x > 0 ? at(x - 1, y) : std::nullopt;
        case -4: return y > 0 ? at(x, y - 1) : x > 0 ? at(x - 1, h - 1) : std::nullopt;
        default: return std::nullopt;
    }
}

int MoveOnScreen(int side, ScreenDirection direction) {
    // Row clues: 1 right (towards the picture), 2 up, 3 left, 4 down; the column clues' moves
    // have the opposite sign and order their directions differently.
    constexpr int kRow[] = {3, 2, 1, 4};
    constexpr int kColumn[] = {-3, -2, -1, -4};
    const auto i = static_cast<std::size_t>(direction);
    return side == SideRow ? kRow[i] : kColumn[i];
}

std::uint8_t ClueNumberFromText(std::string_view text, int lineLength) {
    if (text.empty() || text.size() > 3) return kEmptySlot;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return kEmptySlot;
        number = number * 10 + (c - '0');
    }
    return number <= lineLength ? static_cast<std::uint8_t>(number) : kEmptySlot;
}

BoxKeyAction ActionForBoxKey(BoxKey key, const ClueSlot& at, bool boxEmpty, int shiftDirection) {
    using K = BoxKeyAction;
    const int side = at.side;
    const bool row = side == SideRow;
    switch (key) {
        case BoxKey::MoveLeft: return {K::Move, MoveOnScreen(side, ScreenDirection::Left)};
        case BoxKey::MoveUp: return {K::Move, MoveOnScreen(side, ScreenDirection::Up)};
        case BoxKey::MoveRight: return {K::Move, MoveOnScreen(side, ScreenDirection::Right)};
        case BoxKey::MoveDown: return {K::Move, MoveOnScreen(side, ScreenDirection::Down)};
        case BoxKey::Enter: return {K::Store};
        case BoxKey::Space:
            // Typed from the outer end, a line grows at slot 0: the numbers before move out.
            if (shiftDirection == 0) return {K::Move, AwayFromPicture(side)};
            if (at.Slot() == 0) return {K::StoreAndInsert};
            return {K::Move, TowardsPicture(side)};
        case BoxKey::PageUp: return {K::Move, AwayFromPicture(side)};
        case BoxKey::PageDown: return {K::Move, TowardsPicture(side)};
        case BoxKey::ArrowUp: return {K::Move, row ? 2 : -3};
        case BoxKey::ArrowDown: return {K::Move, row ? 4 : -1};
        case BoxKey::Backspace:
            if (!boxEmpty) return {K::Pass};
            return {K::DeleteSlot, shiftDirection == 0 ? TowardsPicture(side) : 0};
        case BoxKey::Editing: return {K::Pass};
        case BoxKey::Other: return {K::Beep};
    }
    return {K::Beep};
}

}  // namespace tessemar
