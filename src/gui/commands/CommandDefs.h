#pragma once

#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"

#include <span>
#include <vector>

namespace tessemar {

// The program's commands as data: how each one looks (CommandDefs), which of them the program
// offers now (AvailableCommandIds), and where they stand in the menus, the toolbars and the
// toolbar drop-downs. The builders show only commands that have an action, so a feature joins
// the program by adding its id to the list of available commands.

// Every command that a menu, toolbar or accelerator names.
const std::vector<CommandDef>& CommandDefs();
const CommandDef* FindCommandDef(int id);

// The commands whose features exist. The one place that decides what the user sees.
std::span<const int> AvailableCommandIds();

// Adds an action to table for each of ids that the table of commands describes.
void AddCommands(CCommandTable& table, std::span<const int> ids);

// One line of a menu table. A table is a sequence of pop-ups: Popup(title) ... End(); pop-ups
// nest.
struct MenuEntry {
    enum Kind { Command, Separator, Popup, End, RecentFiles, WindowList };
    Kind kind;
    int value = 0;  // the command id, or the string id of a pop-up's title
};

// Menu 128 (no document open) and 129 (a document open).
std::span<const MenuEntry> MainMenu128();
std::span<const MenuEntry> MainMenu129();

// The drop-down pop-ups of the toolbar buttons (menu 188); each is one Popup ... End.
enum DropDownPopup : int { PopupFileOpen = 0, PopupFileSave = 1, PopupColor = 2, PopupOption = 3 };
std::span<const MenuEntry> DropDownMenu(DropDownPopup popup);
// The menu of the picture pane's right button under the Select tool.
std::span<const MenuEntry> PictureContextMenu();
// The menus of the clue panes' and the corner's right button.
std::span<const MenuEntry> ClueContextMenu();
std::span<const MenuEntry> CornerContextMenu();
// The colours of the colour pop-up in their order: three columns of the grid, read downwards.
inline constexpr int kColorPopupOrder[cmd::ColorCount] = {1, 4, 7, 2, 5, 8, 3, 6};

// Which toolbar button opens which pop-up from its arrow.
struct DropDownDef {
    int commandId;
    DropDownPopup popup;
};
std::span<const DropDownDef> DropDownButtons();

// A toolbar: its resource number (also its name in the stored layout), title, the command that
// shows and hides it, and its buttons in order (0 = separator).
struct ToolBarDef {
    int resource;
    unsigned titleId;
    int toggleId;
    std::span<const int> buttons;
};
inline constexpr int kToolBarStandard = 128;
inline constexpr int kToolBarTool = 144;
inline constexpr int kToolBarImage = 154;
inline constexpr int kToolBarNumber = 156;
inline constexpr int kToolBarOption = 158;
inline constexpr int kToolBarCommand = 189;
inline constexpr int kToolBarSimpleColor = 213;
inline constexpr int kToolBarFullColor = 226;
// The eight toolbars in the order of their creation.
std::span<const ToolBarDef> ToolBarDefs();

}  // namespace tessemar
