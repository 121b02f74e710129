#pragma once

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/frame/CommandTable.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QIcon;
class QLabel;
class QMdiArea;
class QMenu;

namespace tessemar {

class CChildFrame;
class CDocManager;
class CWallpaperPainter;
class RecentFileList;

// Command ids of the commands the main frame knows.
namespace cmd {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FirstRecentFile = 57616;  // + index of the entry
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTile = 57651;
inline constexpr int AppExit = 57665;
inline constexpr int ClearRecentFile = 32859;
inline constexpr int FirstWindow = 65280;  // + index of the document window in the Window menu
}  // namespace cmd

// What the main frame leaves to the application object.
struct MainFrameHooks {
    // The "Clear Recent File" command (the application asks first).
    std::function<void()> clearRecentFile;
    // After the settings are written at close: the application's own keys.
    std::function<void()> settingsSaved;
};

// The program's main window: the document windows in an area painted with the wallpaper, the
// menus of the command table (menu 128 while no document is open, 129 with one), the status
// bar, and the window placement of section MainFrame. Closing it writes the settings, then
// closes the documents, asking to save changes.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kLogoResource = 222;
    static constexpr int kPaneMessage = 0;
    static constexpr int kPaneCursor = 57346;
    static constexpr int kPaneCell = 57347;
    static constexpr int kPaneUndo = 57348;

    CMainFrame(CDocManager& docs, AppSettings& settings, const IniFile& ini,
               RecentFileList& recentFiles, MainFrameHooks hooks = {});
    ~CMainFrame() override;

    CCommandTable& Commands() { return *commands_; }
    QMdiArea* DocumentArea() const { return area_; }
    CWallpaperPainter& Wallpaper() const { return *wallpaper_; }
    CLogicDoc* ActiveDocument() const;
    CChildFrame* ActiveChild() const;
    CChildFrame* FrameOf(const CLogicDoc* doc) const;

    // 128 while no document is open, 129 with one.
    int MenuResource() const { return menuResource_; }
    QMenu* FileMenu() const;
    // Brings the recent-file entries of both File menus up to date.
    void UpdateRecentFileMenu();

    // Pane 0 holds the messages and prompts; the others are named by their ids.
    void SetPaneText(int paneId, const QString& text);
    QString PaneText(int paneId) const;
    // The icon of pane 0 (the program icon at first; the solver shows its own); a null icon
    // leaves the pane without one.
    void SetPaneIcon(const QIcon& icon);
    bool PaneHasIcon() const;

    // Takes the wallpaper settings again (after the options changed them).
    void UpdateWallpaper();
    // The first showing: maximized, centred or at the rectangle of section MainFrame; then the
    // document windows are cascaded unless the last one was maximized.
    void ShowFirst();
    // Where the window stands now, as the settings store it.
    MainFramePlacement Placement() const;
    void UpdateTitle();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    class CommandMap;
    // The File menu of menu 128 and that of 129.
    std::vector<QMenu*> FileMenus() const { return {menus128_.front(), menus129_.front()}; }

    void CreateCommands();
    void CreateMenus();
    void CreateStatusBar();
    void SelectMenu();
    void FillRecentFiles(QMenu* menu);
    void FillWindowList();
    std::vector<CommandTarget*> Route() const;
    void OnDocumentOpened(CLogicDoc* doc);
    void OnDocumentClosing(CLogicDoc* doc);

    CDocManager& docs_;
    AppSettings& settings_;
    const IniFile& ini_;
    RecentFileList& recentFiles_;
    MainFrameHooks hooks_;
    QMdiArea* area_;
    CWallpaperPainter* wallpaper_;
    std::unique_ptr<CommandMap> documentTarget_;
    std::unique_ptr<CommandMap> frameTarget_;
    std::unique_ptr<CommandMap> appTarget_;
    CCommandTable* commands_ = nullptr;
    std::vector<QMenu*> menus128_;
    std::vector<QMenu*> menus129_;
    QMenu* windowMenu_ = nullptr;
    int menuResource_ = 0;
    QLabel* messageIcon_ = nullptr;
    std::map<int, QLabel*> panes_;
    std::map<const CLogicDoc*, CChildFrame*> frames_;
};

}  // namespace tessemar
