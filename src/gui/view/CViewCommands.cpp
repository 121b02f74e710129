#include "gui/view/CViewCommands.h"

#include "core/document/CLogicDoc.h"
#include "gui/common/WaitCursor.h"
#include "gui/view/CClueEditor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CViewCompanion.h"

namespace tessemar {

CViewCommands::CViewCommands(CViewCompanion& companion, CEditSession& session, const IniFile& ini)
    : companion_(companion),
      session_(session),
      picture_(session, companion),
      numbers_(session, companion),
      options_(session, ini) {}

bool CViewCommands::HandlesCommand(int id) const {
    return id == cmd::Undo || id == cmd::Redo || id == cmd::ShowPreview || picture_.HandlesCommand(id) ||
           numbers_.HandlesCommand(id) || options_.HandlesCommand(id);
}

void CViewCommands::OnCommand(int id) {
    switch (id) {
        case cmd::Undo:
            OnUndo();
            break;
        case cmd::Redo:
            OnRedo();
            break;
        default:
            // Every command of the window but the box's own first stores what the box holds.
            if (!numbers_.HandlesCommand(id)) {
                if (CClueEditor* editor = companion_.Editor())
                    editor->CloseNumberBox();
            }
            if (id == cmd::ShowPreview)
                companion_.RequestShowPreviewToggle();
            else
                Delegate(id).OnCommand(id);
            break;
    }
}

void CViewCommands::OnUpdateCommand(int id, CommandState& state) {
    switch (id) {
        case cmd::Undo:
            state.enabled = session_.CanUndo(BoxCanUndo());
            break;
        case cmd::Redo:
            state.enabled = session_.CanRedo(BoxCanRedo());
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
    if (numbers_.HandlesCommand(id))
        return numbers_;
    if (options_.HandlesCommand(id))
        return options_;
    return picture_;
}

bool CViewCommands::BoxCanUndo() const {
    const CClueEditor* editor = companion_.Editor();
    return editor != nullptr && editor->BoxCanUndo();
}

bool CViewCommands::BoxCanRedo() const {
    const CClueEditor* editor = companion_.Editor();
    return editor != nullptr && editor->BoxCanRedo();
}

void CViewCommands::OnUndo() {
    // The availability rules are checked again: a shortcut may arrive before the idle update
    // has disabled the action.
    if (!session_.CanUndo(BoxCanUndo()))
        return;
    // A size entry lays the whole window out again, which takes a moment on a large puzzle.
    WaitCursor wait(session_.Document().UndoChangesSize());
    if (session_.Undo() == CEditSession::Step::Box)
        companion_.Editor()->UndoInBox();
}

void CViewCommands::OnRedo() {
    if (!session_.CanRedo(BoxCanRedo()))
        return;
    WaitCursor wait(session_.Document().RedoChangesSize());
    if (session_.Redo() == CEditSession::Step::Box)
        companion_.Editor()->RedoInBox();
}

}  // namespace tessemar
