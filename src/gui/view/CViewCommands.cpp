#include "gui/view/CViewCommands.h"

#include "gui/common/WaitCursor.h"
#include "gui/view/CViewCompanion.h"

namespace tessemar {
bool CViewCommands::HandlesCommand(int id) const {
    return id == cmd::Undo || id == cmd::Redo || id == cmd::ShowPreview;
}

void CViewCommands::OnCommand(int id) {
    switch (id) {
        case cmd::Undo:
            OnUndo();
            break;
        case cmd::Redo:
            OnRedo();
            break;
        case cmd::ShowPreview:
            companion_.RequestShowPreviewToggle();
            break;
        default:
            break;
    }
}

void CViewCommands::OnUpdateCommand(int id, CommandState& state) {
    const CLogicDoc& doc = companion_.Document();
    // No in-place editor is open in these panes, so none has a change of its own to undo.
    switch (id) {
        case cmd::Undo:
            state.enabled = doc.CanUndo();
            break;
        case cmd::Redo:
            state.enabled = doc.CanRedo();
            break;
        case cmd::ShowPreview:
            state.checked = companion_.ShowPreview();
            break;
        default:
            break;
    }
}

void CViewCommands::OnUndo() {
    CLogicDoc& doc = companion_.Document();
    // The availability rules are checked again: a shortcut may arrive before the idle update
    // has disabled the action.
    if (!doc.CanUndo())
        return;
    bool done;
    {
        // A size entry lays the whole window out again, which takes a moment on a large puzzle.
        WaitCursor wait(doc.UndoChangesSize());
        done = doc.Undo(companion_.BackDrawMode());
    }
    if (done)
        companion_.RefreshAllPanes();
}

void CViewCommands::OnRedo() {
    CLogicDoc& doc = companion_.Document();
    if (!doc.CanRedo())
        return;
    bool done;
    {
        WaitCursor wait(doc.RedoChangesSize());
        done = doc.Redo();
    }
    if (done)
        companion_.RefreshAllPanes();
}

}  // namespace tessemar
