#pragma once

#include "gui/commands/CommandDefs.h"

#include <span>
#include <vector>

class QMenu;
class QWidget;

namespace tessemar {

// Turns menu tables into QMenus of the command table's actions. An entry whose command has no
// action is left out, separators never lead, trail or double, and a pop-up left without
// commands is not made at all.
class CMenuBuilder {
  public:
    CMenuBuilder(CCommandTable& commands, QWidget* parent) : commands_(commands), parent_(parent) {}

    // The top-level pop-ups of table that hold something.
    std::vector<QMenu*> Build(std::span<const MenuEntry> table);

    // Where the recent-file entries go: every menu with that place, with the disabled
    // "Recent File" line (objectName kRecentPlaceholder) shown while the list is empty.
    const std::vector<QMenu*>& RecentFileMenus() const { return recentFileMenus_; }
    // The menu that ends with the list of document windows.
    QMenu* WindowListMenu() const { return windowListMenu_; }

    static constexpr const char* kRecentPlaceholder = "recentPlaceholder";

  private:
    QMenu* BuildPopup(std::span<const MenuEntry> table, std::size_t& position, QWidget* parent);

    CCommandTable& commands_;
    QWidget* parent_;
    std::vector<QMenu*> recentFileMenus_;
    QMenu* windowListMenu_ = nullptr;
};

// Removes the separators at the start and the end of a menu or toolbar and those that follow
// another.
void TidySeparators(QWidget* menuOrToolBar);

}  // namespace tessemar
