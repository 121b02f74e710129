#pragma once

#include "gui/commands/MenuBuilder.h"

#include <QObject>

#include <vector>

class QMainWindow;
class QMdiArea;
class QMenu;

namespace tessemar {

class CCommandMap;
class RecentFileList;

// The menus of the main window: menu 128 while no document is open and 129 with one, the
// recent-file entries of both File menus and the list of document windows at the end of the
// Window menu.
class CMainMenus : public QObject {
  public:
    // windowCommands is the route link that takes the commands of the window list.
    CMainMenus(QMainWindow& window, CCommandTable& commands, const RecentFileList& recentFiles,
               QMdiArea& area, CCommandMap& windowCommands);

    // The toolbars' drop-down pop-ups come from the same builder, before the menus.
    CMenuBuilder& Builder() { return builder_; }
    void Build();

    // 128 while no document is open, 129 with one.
    int Resource() const { return resource_; }
    // The top-level menus of menu 128 or 129.
    const std::vector<QMenu*>& Menus(int resource) const;
    // The View menu of menu 128, also the context menu of the frame.
    QMenu* ViewMenu() const;
    QMenu* FileMenu() const;
    // Puts menu 129 on the menu bar while a document window is open, else menu 128.
    void Select(bool documentOpen);
    // Brings the recent-file entries of both File menus up to date.
    void UpdateRecentFiles();

  private:
    void FillRecentFiles(QMenu* menu);
    void FillWindowList();

    QMainWindow& window_;
    CCommandTable& commands_;
    const RecentFileList& recentFiles_;
    QMdiArea& area_;
    CCommandMap& windowCommands_;
    CMenuBuilder builder_;
    std::vector<QMenu*> menus128_;
    std::vector<QMenu*> menus129_;
    QMenu* windowMenu_ = nullptr;
    int resource_ = 0;
};

}  // namespace tessemar
