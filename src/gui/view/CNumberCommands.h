#pragma once

#include "gui/commands/CommandTable.h"

namespace tessemar {

class CEditSession;
class CViewCompanion;

// The commands of a document window that type clues: the Number menu (moving the number box,
// inserting and deleting a slot or a line at it, the typing direction, Format Number) and the
// title. The box's commands are available only while a number box is open.
class CNumberCommands : public CommandTarget {
  public:
    CNumberCommands(CEditSession& session, CViewCompanion& companion)
        : session_(session), companion_(companion) {}

    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    void OnUpdateCommand(int id, CommandState& state) override;

  private:
    void OnFormatNumber();

    CEditSession& session_;
    CViewCompanion& companion_;
};

}  // namespace tessemar
