#include "gui/view/CViewCommands.h"

#include "core/document/CLogicDoc.h"
#include "gui/common/WaitCursor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CViewCompanion.h"

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

// The tool commands and the tool each one chooses.
struct ToolCommand {
    int id;
    int tool;
};
constexpr ToolCommand kToolCommands[] = {
    {cmd::ToolPen, ToolPen},
    {cmd::ToolStraightLine, ToolStraightLine},
    {cmd::ToolRectangle, ToolRectangle},
    {cmd::ToolPaint, ToolPaint},
};

const ToolCommand* ToolCommandOf(int id) {
    const auto it = std::find_if(std::begin(kToolCommands), std::end(kToolCommands),
                                 [id](const ToolCommand& c) { return c.id == id; });
    return it == std::end(kToolCommands) ? nullptr : it;
}

}  // namespace

bool CViewCommands::HandlesCommand(int id) const {
    return id == cmd::Undo || id == cmd::Redo || id == cmd::ShowPreview || ToolCommandOf(id) != nullptr;
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
            if (const ToolCommand* command = ToolCommandOf(id))
                OnTool(command->tool);
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
            if (const ToolCommand* command = ToolCommandOf(id)) {
                state.enabled = !session_.StrokeInProgress();
                state.checked = session_.Tool() == command->tool;
            }
            break;
    }
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

void CViewCommands::OnTool(int tool) {
    if (session_.StrokeInProgress())
        return;
    // A new tool starts with nothing floating.
    session_.Document().CommitFloatingSelection(session_.BackDrawMode());
    session_.SetTool(tool);
}

}  // namespace tessemar
