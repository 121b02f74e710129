#include "gui/commands/MenuBuilder.h"

#include "core/text/StringTable.h"

#include <QAction>
#include <QMenu>

namespace tessemar {

std::vector<QMenu*> CMenuBuilder::Build(std::span<const MenuEntry> table) {
    std::vector<QMenu*> menus;
    std::size_t position = 0;
    while (position < table.size()) {
        if (table[position].kind != MenuEntry::Popup) {
            ++position;
            continue;
        }
        if (QMenu* menu = BuildPopup(table, position, parent_))
            menus.push_back(menu);
    }
    return menus;
}

QMenu* CMenuBuilder::BuildPopup(std::span<const MenuEntry> table, std::size_t& position,
                                QWidget* parent) {
    const MenuEntry& head = table[position++];
    const QString title =
        head.value != 0 ? CCommandTable::MenuText(static_cast<unsigned>(head.value)) : QString();
    auto* menu = new QMenu(title, parent);
    bool holdsSomething = false;
    bool holdsRecentFiles = false;
    bool holdsWindowList = false;
    while (position < table.size() && table[position].kind != MenuEntry::End) {
        const MenuEntry& entry = table[position];
        switch (entry.kind) {
            case MenuEntry::Command:
                if (QAction* action = commands_.Action(entry.value)) {
                    menu->addAction(action);
                    holdsSomething = true;
                }
                ++position;
                break;
            case MenuEntry::Separator:
                menu->addSeparator();
                ++position;
                break;
            case MenuEntry::Popup:
                if (QMenu* child = BuildPopup(table, position, menu)) {
                    menu->addMenu(child);
                    holdsSomething = true;
                }
                continue;  // BuildPopup moved past the child's End
            case MenuEntry::RecentFiles: {
                QAction* placeholder =
                    menu->addAction(CCommandTable::MenuText(text::IdsMenuRecentFile));
                placeholder->setEnabled(false);
                placeholder->setObjectName(QLatin1String(kRecentPlaceholder));
                holdsRecentFiles = true;
                holdsSomething = true;
                ++position;
                break;
            }
            case MenuEntry::WindowList:
                holdsWindowList = true;
                ++position;
                break;
            case MenuEntry::End:
                break;
        }
    }
    ++position;  // past End
    if (!holdsSomething) {
        delete menu;
        return nullptr;
    }
    TidySeparators(menu);
    commands_.WatchMenu(menu);
    if (holdsRecentFiles)
        recentFileMenus_.push_back(menu);
    if (holdsWindowList)
        windowListMenu_ = menu;
    return menu;
}

void TidySeparators(QWidget* menu) {
    QAction* previous = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() && (previous == nullptr || previous->isSeparator())) {
            menu->removeAction(action);
            delete action;
            continue;
        }
        previous = action;
    }
    if (previous && previous->isSeparator()) {
        menu->removeAction(previous);
        delete previous;
    }
}

}  // namespace tessemar
