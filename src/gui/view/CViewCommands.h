#pragma once

#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/view/CDocumentOptionCommands.h"
#include "gui/view/CNumberCommands.h"
#include "gui/view/CPictureCommands.h"

namespace tessemar {

class CEditSession;
class CViewCompanion;

// The commands of a document window's panes: the first link of the command route while the
// window is active.
class CViewCommands : public CommandTarget {
  public:
    CViewCommands(CViewCompanion& companion, CEditSession& session, const IniFile& ini);

    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    void OnUpdateCommand(int id, CommandState& state) override;

    void OnUndo();
    void OnRedo();

  private:
    // The part of the window's commands that handles id.
    CommandTarget& Delegate(int id);
    // Whether the open in-place box has a change of its own to take back, or to apply again.
    bool BoxCanUndo() const;
    bool BoxCanRedo() const;

    CViewCompanion& companion_;
    CEditSession& session_;
    CPictureCommands picture_;
    CNumberCommands numbers_;
    CDocumentOptionCommands options_;
};

}  // namespace tessemar
