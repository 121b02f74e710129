#include "gui/view/CViewCommands.h"

#include "core/document/CLogicDoc.h"
#include "gui/common/WaitCursor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CViewCompanion.h"

namespace tessemar {

CViewCommands::CViewCommands(CViewCompanion& companion, CEditSession& session, const IniFile& ini)
    : companion_(companion), session_(session), picture_(session, companion), options_(session, ini) {}

bool CViewCommands::HandlesCommand(int id) const {
    return id == cmd::Undo || id == cmd::Redo || id == cmd::ShowPreview || picture_.HandlesCommand(id) ||
           options_.HandlesCommand(id);
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
            Delegate(id).OnCommand(id);
            break;
    }
}

void CViewCommands::OnUpdateCommand(int id, CommandState& state) {
    // No in-place box is open in these panes yet, so none has a change of its own to undo.
    switch (id) {
        case cmd::Undo:
            state.enabled = session_.CanUndo(false);
            break;
        case cmd::Redo:
            state.enabled = session_.CanRedo(false);
            break;
        case cmd::ShowPreview:
            state.checked = companion_.ShowPreview();
            break;
        default:
            Delegate(id).OnUpdateCommand(id, state);
            break;
    }
}

CommandTarget& CViewCommands::Delegate(int id) {
    if (options_.HandlesCommand(id))
        return options_;
    return picture_;
}

void CViewCommands::OnUndo() {
    // The availability rules are checked again: a shortcut may arrive before the idle update
    // has disabled the action.
    if (!session_.CanUndo(false))
        return;
    // A size entry lays the whole window out again, which takes a moment on a large puzzle.
    WaitCursor wait(session_.Document().UndoChangesSize());
    session_.Undo();
}

void CViewCommands::OnRedo() {
    if (!session_.CanRedo(false))
        return;
    WaitCursor wait(session_.Document().RedoChangesSize());
    session_.Redo();
}

}  // namespace tessemar
