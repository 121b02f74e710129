#pragma once

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/solver/SolverStatusDisplay.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QIcon;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;

namespace tessemar {

class CChildFrame;
class CColorBars;
class CDocManager;
class CMenuBuilder;
class CStatusPanes;
class CToolBarSet;
class CWallpaperPainter;
class RecentFileList;

// What the main frame leaves to the application object.
struct MainFrameHooks {
    // The "Clear Recent File" command (the application asks first).
    std::function<void()> clearRecentFile;
    // After the settings are written at close: the application's own keys.
    std::function<void()> settingsSaved;
};

// The program's main window: the document windows in an area painted with the wallpaper, the
// menus of the command table (menu 128 while no document is open, 129 with one), the eight
// toolbars with the two colour bars, the status bar, and the window placement of section
// MainFrame. Closing it writes the settings, then closes the documents, asking to save
// changes.
class CMainFrame : public QMainWindow, public SolverStatusDisplay {
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
    // A further link of the command route, asked before the active view while a document is
    // active: the solver's commands, which also keep the view from undoing cells while a
    // solve writes them. Not owned.
    void AddRouteTarget(CommandTarget* target);
    void RemoveRouteTarget(CommandTarget* target);
    QMdiArea* DocumentArea() const { return area_; }
    CWallpaperPainter& Wallpaper() const { return *wallpaper_; }
    CLogicDoc* ActiveDocument() const;
    CChildFrame* ActiveChild() const;
    CChildFrame* FrameOf(const CLogicDoc* doc) const;

    // 128 while no document is open, 129 with one.
    int MenuResource() const { return menuResource_; }
    QMenu* FileMenu() const;
    // The top-level menus of menu 128 or 129.
    const std::vector<QMenu*>& Menus(int resource) const;
    // The View menu of menu 128, also the context menu of the frame.
    QMenu* ViewMenu() const;
    // A toolbar by its resource number; nullptr while it has no buttons to show.
    QToolBar* ToolBar(int resource) const;
    CColorBars& ColorBars() const { return *colorBars_; }
    // The colour bars, the colour pop-up and the colour menu take the active document's
    // colours again (the views call this after a colour change).
    void RefreshColorDisplays();
    // The program's printer, which the page setup configures.
    QPrinter& Printer();
    // Brings the recent-file entries of both File menus up to date.
    void UpdateRecentFileMenu();

    // Pane 0 holds the messages and prompts; the others are named by their ids.
    void SetPaneText(int paneId, const QString& text);
    QString PaneText(int paneId) const;
    // The icon of pane 0 (the program icon at first; the solver shows its own); a null icon
    // leaves the pane without one.
    void SetPaneIcon(const QIcon& icon);
    bool PaneHasIcon() const;
    CStatusPanes& StatusPanes() const { return *statusPanes_; }

    // What a solve shows in the status bar.
    void SetSolverMessage(const QString& text) override;
    void SetSolverIcon(Icon icon) override;
    void ShowSolverProgress() override;
    void SetSolverProgress(int percent, const QString& text) override;
    void HideSolverProgress() override;
    void StartSolverAnimation() override;
    void StopSolverAnimation() override;

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
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    class CommandMap;
    class ColorWatch;

    void CreateCommands();
    void AddFrameCommands();
    void CreateToolBars();
    void CreateMenus();
    void ClearPositionPanes();
    void SelectMenu();
    void FillRecentFiles(QMenu* menu);
    void FillWindowList();
    std::vector<CommandTarget*> Route() const;
    void OnDocumentOpened(CLogicDoc* doc);
    // Pane 57348: the active document's place in its history, "position/count" or one number
    // when the position is the newest entry.
    void UpdateUndoPane();
    // A document window shows its whole puzzle if the room right and below of it allows.
    void FitToArea(CChildFrame& frame) const;
    // The corner's caption button or the Preview command: the preview follows for every window.
    void ToggleShowPreview();
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
    std::vector<CommandTarget*> extraTargets_;
    CCommandTable* commands_ = nullptr;
    std::unique_ptr<CMenuBuilder> menuBuilder_;
    CToolBarSet* toolBars_ = nullptr;
    CColorBars* colorBars_ = nullptr;
    CStatusPanes* statusPanes_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<ColorWatch> colorWatch_;
    std::vector<QMenu*> menus128_;
    std::vector<QMenu*> menus129_;
    QMenu* windowMenu_ = nullptr;
    int menuResource_ = 0;
    std::map<const CLogicDoc*, CChildFrame*> frames_;
};

}  // namespace tessemar
