#include "gui/frame/MainMenus.h"

#include "core/text/StringTable.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandMap.h"
#include "gui/document/RecentFileList.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace tessemar {

CMainMenus::CMainMenus(QMainWindow& window, CCommandTable& commands,
                       const RecentFileList& recentFiles, QMdiArea& area,
                       CCommandMap& windowCommands)
    : QObject(&window),
      window_(window),
      commands_(commands),
      recentFiles_(recentFiles),
      area_(area),
      windowCommands_(windowCommands),
      builder_(commands, &window) {}

void CMainMenus::Build() {
    menus128_ = builder_.Build(MainMenu128());
    menus129_ = builder_.Build(MainMenu129());
    windowMenu_ = builder_.WindowListMenu();
    if (windowMenu_)
        connect(windowMenu_, &QMenu::aboutToShow, this, &CMainMenus::FillWindowList);
    for (QMenu* menu : builder_.RecentFileMenus())
        connect(menu, &QMenu::aboutToShow, this, &CMainMenus::UpdateRecentFiles);
}

const std::vector<QMenu*>& CMainMenus::Menus(int resource) const {
    return resource == 129 ? menus129_ : menus128_;
}

QMenu* CMainMenus::ViewMenu() const {
    const QString title = CCommandTable::MenuText(text::IdsMenuView);
    for (QMenu* menu : menus128_) {
        if (menu->title() == title)
            return menu;
    }
    return nullptr;
}

QMenu* CMainMenus::FileMenu() const {
    return resource_ == 129 ? menus129_.front() : menus128_.front();
}

void CMainMenus::Select(bool documentOpen) {
    const int wanted = documentOpen ? 129 : 128;
    if (wanted == resource_)
        return;
    resource_ = wanted;
    window_.menuBar()->clear();
    for (QMenu* menu : wanted == 128 ? menus128_ : menus129_)
        window_.menuBar()->addMenu(menu);
}

void CMainMenus::UpdateRecentFiles() {
    for (QMenu* menu : builder_.RecentFileMenus())
        FillRecentFiles(menu);
}

void CMainMenus::FillRecentFiles(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        const int id = action->data().toInt();
        if (id >= cmd::FirstRecentFile && id < cmd::FirstRecentFile + RecentFileList::kMaxSize)
            menu->removeAction(action);
    }
    auto* placeholder = menu->findChild<QAction*>(QLatin1String(CMenuBuilder::kRecentPlaceholder));
    if (!placeholder)
        return;
    const std::size_t count = recentFiles_.Entries().size();
    for (std::size_t i = 0; i < count; ++i) {
        const int id = cmd::FirstRecentFile + static_cast<int>(i);
        // Both File menus share the entry's action; it is made afresh when its text changed,
        // so that an entry left from a longer list cannot open the wrong file.
        const QString text = QString::fromStdString(recentFiles_.MenuText(i));
        QAction* action = commands_.Action(id);
        if (!action || action->text() != text)
            action = commands_.AddDynamic(id, text, text::IdsPromptRecentFile);
        menu->insertAction(placeholder, action);
    }
    placeholder->setVisible(count == 0);
}

void CMainMenus::FillWindowList() {
    if (!windowMenu_)
        return;
    for (QAction* action : windowMenu_->actions()) {
        if (action->data().toInt() >= cmd::FirstWindow || action->isSeparator())
            windowMenu_->removeAction(action);
    }
    const QList<QMdiSubWindow*> windows = area_.subWindowList();
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        const int id = cmd::FirstWindow + i;
        if (!windowCommands_.HandlesCommand(id)) {
            windowCommands_.Add(
                id,
                [this, i] {
                    const QList<QMdiSubWindow*> current = area_.subWindowList();
                    if (i < current.size())
                        area_.setActiveSubWindow(current[i]);
                },
                [this, i](CommandState& state) {
                    const QList<QMdiSubWindow*> current = area_.subWindowList();
                    state.enabled = i < current.size();
                    state.checked = state.enabled && current[i] == area_.activeSubWindow();
                });
        }
        const QString label = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle())
                                    : QStringLiteral("%1 %2").arg(i + 1).arg(window->windowTitle());
        QAction* action = commands_.AddDynamic(id, label, text::IdsPromptWindowActivate);
        action->setCheckable(true);
        action->setChecked(window == area_.activeSubWindow());
        windowMenu_->addAction(action);
    }
}

}  // namespace tessemar
