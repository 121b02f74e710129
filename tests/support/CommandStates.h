#pragma once

#include "gui/commands/CommandTable.h"

namespace tessemar {

// The state a target gives a command when the menus and buttons are updated.
inline CommandState StateOf(CommandTarget& target, int id) {
    CommandState state;
    target.OnUpdateCommand(id, state);
    return state;
}

}  // namespace tessemar
