#include "core/document/CLogicDoc.h"

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

// The kind of an entry is the kind of its first record; bytes that are no kind give -1.
int EntryKind(const std::string& entry) {
    if (entry.empty()) return -1;
    const auto kind = static_cast<unsigned char>(entry[0]);
    return kind <= UndoTitle ? kind : -1;
}

constexpr char kTitleSeparator = '\n';

const unsigned char* RecordAt(const std::string& records, std::size_t index) {
    return reinterpret_cast<const unsigned char*>(records.data() + index * kUndoRecordSize);
}

}  // namespace

void CLogicDoc::RecordUndo(int kind, int a, int b, int newValue, int oldValue, int newColour, int oldColour) {
    for (int value : {kind, a, b, newValue, oldValue, newColour, oldColour}) {
        pendingRecords_.push_back(static_cast<char>(value));
    }
}

std::string CLogicDoc::PendingUndo() const {
    std::string entry;
    entry.reserve(pendingRecords_.size());
    for (std::size_t end = pendingRecords_.size(); end >= kUndoRecordSize; end -= kUndoRecordSize) {
        entry.append(pendingRecords_, end - kUndoRecordSize, kUndoRecordSize);
    }
    return entry;
}

void CLogicDoc::CloseEntry() {
    if (pendingRecords_.empty()) return;
    std::string entry = PendingUndo();
    pendingRecords_.clear();
    ++entryGeneration_;
    CommitEntry(std::move(entry));
}

void CLogicDoc::CommitEntry(std::string entry) {
    const auto position = static_cast<std::size_t>(undoPosition_ + 1);
    // A new action drops the redo tail; an edit that may still be abandoned keeps it aside.
    if (position < undoHistory_.size() && openEdits_ > 0 && droppedRedoTail_.empty()) {
        droppedRedoTail_.assign(std::make_move_iterator(undoHistory_.begin() + static_cast<std::ptrdiff_t>(position)),
                                std::make_move_iterator(undoHistory_.end()));
        droppedRedoTailAt_ = position;
    }
    undoHistory_.resize(position);
    undoHistory_.push_back(std::move(entry));
    undoPosition_ = static_cast<int>(position);
    NotifyHistoryChanged();
}

void CLogicDoc::RollBackRecords(std::size_t first) {
    first -= first % kUndoRecordSize;
    if (first >= pendingRecords_.size()) return;
    // Newest first, so that a value changed twice ends at its oldest value.
    for (std::size_t end = pendingRecords_.size(); end > first; end -= kUndoRecordSize) {
        ApplyRecords(pendingRecords_.substr(end - kUndoRecordSize, kUndoRecordSize), true);
    }
    pendingRecords_.resize(first);
}

void CLogicDoc::RollBackEntries(int position) {
    if (position < -1 || position >= undoPosition_) return;
    for (; undoPosition_ > position; --undoPosition_) {
        ApplyEntry(undoHistory_[static_cast<std::size_t>(undoPosition_)], true);
    }
    undoHistory_.resize(static_cast<std::size_t>(position + 1));
    if (undoHistory_.size() == droppedRedoTailAt_) {
        std::move(droppedRedoTail_.begin(), droppedRedoTail_.end(), std::back_inserter(undoHistory_));
        droppedRedoTail_.clear();
    }
    NotifyHistoryChanged();
}

void CLogicDoc::ClearUndoHistory() {
    undoHistory_.clear();
    // A position left pointing into the removed entries would make the next Undo apply one.
    undoPosition_ = -1;
    NotifyHistoryChanged();
}

void CLogicDoc::ApplyRecords(const std::string& entry, bool undo) {
    const std::size_t count = entry.size() / kUndoRecordSize;
    for (std::size_t n = 0; n < count; ++n) {
        // An entry holds its records newest first: undo walks it forwards, redo backwards.
        const unsigned char* record = RecordAt(entry, undo ? n : count - 1 - n);
        const int a = record[1];
        const int b = record[2];
        if (a >= kMaxLines || b >= kMaxLines) continue;
        const unsigned char value = undo ? record[4] : record[3];
        const unsigned char colour = undo ? record[6] : record[5];
        switch (record[0]) {
            case UndoCell: PutCell(a, b, static_cast<std::int8_t>(value)); break;
            case UndoRowClue:
            case UndoColumnClue: PutClueSlot(record[0], a, b, value, colour); break;
            default: break;
        }
    }
}

// False when the entry is too short to say anything: then Undo leaves the position alone.
bool CLogicDoc::ApplyEntry(const std::string& entry, bool undo) {
    switch (EntryKind(entry)) {
        case UndoCell:
        case UndoRowClue:
        case UndoColumnClue: ApplyRecords(entry, undo); break;
        case UndoSize: {
            if (entry.size() < kUndoRecordSize) return false;
            const unsigned char* record = RecordAt(entry, 0);
            const int offset = undo ? 3 : 0;
            const int columns = record[1 + offset];
            const int rows = record[2 + offset];
            const int cellSize = static_cast<signed char>(record[3 + offset]);
            if (IsValidPuzzleSize(columns, rows, cellSize)) PutSize(columns, rows, cellSize);
            break;
        }
        case UndoTitle: {
            const std::size_t separator = entry.find(kTitleSeparator);
            if (separator != std::string::npos) {
                PutTitle(undo ? entry.substr(separator + 1) : entry.substr(1, separator - 1));
            }
            break;
        }
        default: break;
    }
    return true;
}

bool CLogicDoc::EntryChangesSize(int position) const {
    return position >= 0 && position < static_cast<int>(undoHistory_.size()) &&
           EntryKind(undoHistory_[static_cast<std::size_t>(position)]) == UndoSize;
}

bool CLogicDoc::CanUndo() const { return undoPosition_ >= 0 && openEdits_ == 0; }

bool CLogicDoc::CanRedo() const {
    // A floating fragment's lift records are pending; redoing now would throw them away.
    return !hasFloatingSelection_ && openEdits_ == 0 && undoPosition_ + 1 < static_cast<int>(undoHistory_.size());
}

bool CLogicDoc::Undo(int backDrawMode) {
    if (openEdits_ > 0) return false;
    CommitFloatingSelection(backDrawMode);
    if (undoPosition_ < 0 || undoPosition_ >= static_cast<int>(undoHistory_.size())) return false;
    if (!ApplyEntry(undoHistory_[static_cast<std::size_t>(undoPosition_)], true)) return false;
    --undoPosition_;
    NotifyHistoryChanged();
    return true;
}

bool CLogicDoc::Redo() {
    if (!CanRedo()) return false;
    ++undoPosition_;
    // A size entry too short to apply still moves the position.
    ApplyEntry(undoHistory_[static_cast<std::size_t>(undoPosition_)], false);
    NotifyHistoryChanged();
    return true;
}

std::string CLogicDoc::UndoPositionText() const {
    const int position = undoPosition_ + 1;
    const int count = static_cast<int>(undoHistory_.size());
    if (position == count) return std::to_string(position);
    return std::to_string(position) + "/" + std::to_string(count);
}

}  // namespace tessemar
