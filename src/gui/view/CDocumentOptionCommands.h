#pragma once

#include "core/settings/IniFile.h"
#include "gui/commands/CommandTable.h"

namespace tessemar {

class CEditSession;

// The commands of a document window that change the puzzle's own settings: its size (one undo
// step), its colours and its number font (not undoable). Each drops what floats first.
class CDocumentOptionCommands : public CommandTarget {
  public:
    // ini holds the default colours that the colour dialog's Default button restores.
    CDocumentOptionCommands(CEditSession& session, const IniFile& ini)
        : session_(session), ini_(ini) {}

    bool HandlesCommand(int id) const override;
    void OnCommand(int id) override;
    void OnUpdateCommand(int id, CommandState& state) override;

    void ChangeSize();
    void EditColors();
    void ChangeFont();

  private:
    CEditSession& session_;
    const IniFile& ini_;
};

}  // namespace tessemar
