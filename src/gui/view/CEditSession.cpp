#include "gui/view/CEditSession.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"

namespace tessemar {

CEditSession::CEditSession(CLogicDoc& document, AppSettings& settings) : document_(document), settings_(settings) {}

int CEditSession::Tool() const { return settings_.tool; }

void CEditSession::ChooseTool(int tool) {
    document_.CommitFloatingSelection(BackDrawMode());
    settings_.tool = tool;
}

int CEditSession::Color() const { return settings_.color; }

int CEditSession::BackDrawMode() const { return settings_.backDrawMode; }

void CEditSession::SetBackDrawMode(int mode) { settings_.backDrawMode = mode; }

void CEditSession::SetShiftDirection(int direction) { settings_.shiftDirection = direction; }

void CEditSession::BeginStroke() {
    EndStroke();
    stroke_.emplace(document_);
}

void CEditSession::EndStroke() {
    if (!stroke_) return;
    stroke_->Commit();
    stroke_.reset();
}

void CEditSession::SetBoxOpen(bool open, bool isTitle) {
    boxOpen_ = open;
    boxIsTitle_ = open && isTitle;
    if (!open) boxUndoState_ = false;
}

bool CEditSession::CanUndo(bool boxCanUndo) const {
    if (boxOpen_) return boxCanUndo && boxUndoState_;
    return !stroke_ && document_.CanUndo();
}

bool CEditSession::CanRedo(bool boxCanUndo) const {
    if (boxOpen_) return boxCanUndo && !boxUndoState_;
    return !stroke_ && document_.CanRedo();
}

CEditSession::Step CEditSession::Undo() {
    if (boxOpen_) {
        if (!boxUndoState_) return Step::None;
        boxUndoState_ = false;
        return Step::Box;
    }
    return !stroke_ && document_.Undo(BackDrawMode()) ? Step::Document : Step::None;
}

CEditSession::Step CEditSession::Redo() {
    if (boxOpen_) {
        if (boxUndoState_) return Step::None;
        boxUndoState_ = true;
        return Step::Box;
    }
    return !stroke_ && document_.Redo() ? Step::Document : Step::None;
}

}  // namespace tessemar
