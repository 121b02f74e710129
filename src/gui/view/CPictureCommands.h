#pragma once

#include "gui/commands/CommandTable.h"

namespace tessemar {

class CEditSession;
class CViewCompanion;

// The commands of a document window that work on its picture: the tools, the selection and the
// clipboard (Edit menu), and the transforms of the Image menu.
class CPictureCommands : public CommandTarget {
  public:
    CPictureCommands(CEditSession& session, CViewCompanion& companion) : session_(session), companion_(companion) {}

    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    void OnUpdateCommand(int id, CommandState& state) override;

  private:
    // Cut, Copy and Select All work on the Select tool; they switch to it first.
    void EnterSelectTool();
    void OnCopy(bool cut);
    void OnPaste();
    void OnClearUndoBuffer();

    CEditSession& session_;
    CViewCompanion& companion_;
};

}  // namespace tessemar
