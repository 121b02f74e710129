#include "core/document/DocumentEdit.h"

#include "core/document/CLogicDoc.h"

namespace tessemar {

DocumentEdit::DocumentEdit(CLogicDoc& document)
    : document_(document),
      firstRecord_(document.pendingRecords_.size()),
      entryGeneration_(document.entryGeneration_),
      undoPosition_(document.undoPosition_),
      floating_(document.hasFloatingSelection_) {
    ++document_.openEdits_;
}

DocumentEdit::~DocumentEdit() {
    if (done_) return;
    --document_.openEdits_;
    // An entry closed inside this edit (a dropped fragment) left only this edit's own records
    // pending.
    document_.RollBackRecords(document_.entryGeneration_ == entryGeneration_ ? firstRecord_ : 0);
    document_.RollBackEntries(undoPosition_);
    if (!floating_) document_.DiscardFloatingSelection();
    if (document_.openEdits_ == 0) document_.droppedRedoTail_.clear();
}

void DocumentEdit::Commit() {
    if (done_) return;
    done_ = true;
    if (--document_.openEdits_ > 0) return;
    if (!document_.HasFloatingSelection()) document_.CloseEntry();
    document_.droppedRedoTail_.clear();
}

}  // namespace tessemar
