#include "gui/view/CViewCommands.h"

#include "gui/view/CViewCompanion.h"

#include <QCursor>
#include <QGuiApplication>

namespace tessemar {
namespace {

// A size entry lays the whole window out again, which takes a moment on a large puzzle.
class WaitCursorFor {
  public:
    explicit WaitCursorFor(bool needed) : active_(needed) {
        if (active_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursorFor() {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursorFor(const WaitCursorFor&) = delete;
    WaitCursorFor& operator=(const WaitCursorFor&) = delete;

  private:
    bool active_;
};

}  // namespace

bool CViewCommands::HandlesCommand(int id) const {
    return id == viewcmd::EditUndo || id == viewcmd::EditRedo || id == viewcmd::ShowPreview;
}

void CViewCommands::OnCommand(int id) {
    switch (id) {
        case viewcmd::EditUndo:
            OnUndo();
            break;
        case viewcmd::EditRedo:
            OnRedo();
            break;
        case viewcmd::ShowPreview:
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
        case viewcmd::EditUndo:
            state.enabled = doc.CanUndo();
            break;
        case viewcmd::EditRedo:
            state.enabled = doc.CanRedo();
            break;
        case viewcmd::ShowPreview:
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
        WaitCursorFor wait(doc.UndoChangesSize());
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
        WaitCursorFor wait(doc.RedoChangesSize());
        done = doc.Redo();
    }
    if (done)
        companion_.RefreshAllPanes();
}

}  // namespace tessemar
