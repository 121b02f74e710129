#include "core/document/CLogicDoc.h"

#include <algorithm>

namespace tessemar {
namespace {

// The kind of an entry is the kind of its first record; bytes that are no kind give -1.
int EntryKind(const std::string& entry) {
    if (entry.empty()) return -1;
    const auto kind = static_cast<unsigned char>(entry[0]);
    return kind <= UndoTitle ? kind : -1;
}

constexpr char kTitleSeparator = '\n';

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

void CLogicDoc::CommitUndo() {
    if (pendingRecords_.empty()) return;
    CommitEntry(PendingUndo());
    pendingRecords_.clear();
}

void CLogicDoc::CommitEntry(std::string entry) {
    const auto position = static_cast<std::size_t>(undoPosition_ + 1);
    undoHistory_.resize(position);  // a new action drops the redo tail
    undoHistory_.push_back(std::move(entry));
    undoPosition_ = static_cast<int>(position);
}

void CLogicDoc::DiscardPendingUndo() { pendingRecords_.clear(); }

void CLogicDoc::ClearUndoHistory() {
    undoHistory_.clear();
    // A position left pointing into the removed entries would make the next Undo apply one.
    undoPosition_ = -1;
}

void CLogicDoc::SetUndoPosition(int position) {
    undoPosition_ = std::clamp(position, -1, static_cast<int>(undoHistory_.size()) - 1);
}

void CLogicDoc::ApplyRecords(const std::string& entry, bool undo) {
    const std::size_t count = entry.size() / kUndoRecordSize;
    for (std::size_t n = 0; n < count; ++n) {
        // An entry holds its records newest first: undo walks it forwards, redo backwards.
        const std::size_t index = undo ? n : count - 1 - n;
        const auto* record = reinterpret_cast<const unsigned char*>(entry.data() + index * kUndoRecordSize);
        const int a = record[1];
        const int b = record[2];
        if (a >= kMaxLines || b >= kMaxLines) continue;
        const unsigned char value = undo ? record[4] : record[3];
        const unsigned char colour = undo ? record[6] : record[5];
        switch (record[0]) {
            case UndoCell: SetCell(a, b, static_cast<std::int8_t>(value)); break;
            case UndoRowClue:
            case UndoColumnClue: SetClueNumber(record[0], a, b, value, colour); break;
            default: break;
        }
    }
}

bool CLogicDoc::ApplySizeRecord(const std::string& entry, bool undo) {
    if (entry.size() < kUndoRecordSize) return false;
    const auto* record = reinterpret_cast<const unsigned char*>(entry.data());
    const int offset = undo ? 3 : 0;
    const int columns = record[1 + offset];
    const int rows = record[2 + offset];
    const int cellSize = static_cast<signed char>(record[3 + offset]);
    if (IsValidPuzzleSize(columns, rows, cellSize)) ApplySize(columns, rows, cellSize);
    return true;
}

void CLogicDoc::ApplySize(int columns, int rows, int cellSize) {
    model_.columnCount = columns;
    model_.rowCount = rows;
    model_.cellSize = cellSize;
    SetModifiedFlag();
    NotifyLayoutChanged();
}

HistoryStep CLogicDoc::Undo(int backDrawMode) {
    CommitFloatingSelection(backDrawMode);
    if (editorOpen_ && editorUndoState_) {
        editorUndoState_ = false;
        return HistoryStep::Editor;
    }
    // Records of an action left uncommitted would be thrown away below while their changes
    // stay in the picture; they become an entry of their own, and that one is undone.
    CommitUndo();
    if (undoPosition_ < 0 || undoPosition_ >= static_cast<int>(undoHistory_.size())) return HistoryStep::None;
    const std::string& entry = undoHistory_[static_cast<std::size_t>(undoPosition_)];
    switch (EntryKind(entry)) {
        case UndoCell:
        case UndoRowClue:
        case UndoColumnClue: ApplyRecords(entry, true); break;
        case UndoSize:
            if (!ApplySizeRecord(entry, true)) return HistoryStep::None;
            break;
        case UndoTitle: {
            const std::size_t separator = entry.find(kTitleSeparator);
            if (separator != std::string::npos) {
                model_.title = entry.substr(separator + 1);
                NotifyTitleChanged();
            }
            break;
        }
        default: break;
    }
    DiscardPendingUndo();  // the records SetClueNumber made while undoing
    --undoPosition_;
    return HistoryStep::Document;
}

HistoryStep CLogicDoc::Redo() {
    if (editorOpen_ && !editorUndoState_) {
        editorUndoState_ = true;
        return HistoryStep::Editor;
    }
    // A floating fragment's lift records are pending; redoing now would throw them away.
    if (hasFloatingSelection_ || !pendingRecords_.empty()) return HistoryStep::None;
    if (undoPosition_ + 1 >= static_cast<int>(undoHistory_.size())) return HistoryStep::None;
    ++undoPosition_;
    const std::string& entry = undoHistory_[static_cast<std::size_t>(undoPosition_)];
    switch (EntryKind(entry)) {
        case UndoCell:
        case UndoRowClue:
        case UndoColumnClue: ApplyRecords(entry, false); break;
        case UndoSize:
            if (!ApplySizeRecord(entry, false)) return HistoryStep::Document;
            break;
        case UndoTitle: {
            const std::size_t separator = entry.find(kTitleSeparator);
            if (separator != std::string::npos) {
                model_.title = entry.substr(1, separator - 1);
                NotifyTitleChanged();
            }
            break;
        }
        default: break;
    }
    DiscardPendingUndo();
    return HistoryStep::Document;
}

bool CLogicDoc::CanUndo(bool editorCanUndo) const {
    if (editorOpen_) return editorCanUndo && editorUndoState_;
    return undoPosition_ >= 0 && !strokeInProgress_;
}

bool CLogicDoc::CanRedo(bool editorCanUndo) const {
    if (editorOpen_) return editorCanUndo && !editorUndoState_;
    return !hasFloatingSelection_ && undoPosition_ + 1 < static_cast<int>(undoHistory_.size()) &&
           !strokeInProgress_;
}

std::string CLogicDoc::UndoPositionText() const {
    const int position = undoPosition_ + 1;
    const int count = static_cast<int>(undoHistory_.size());
    if (position == count) return std::to_string(position);
    return std::to_string(position) + "/" + std::to_string(count);
}

void CLogicDoc::SetEditorOpen(bool open, bool isTitle) {
    editorOpen_ = open;
    editorIsTitle_ = open && isTitle;
}

}  // namespace tessemar
