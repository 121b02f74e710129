#pragma once

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/frame/MainMenus.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>

class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;

namespace tessemar {

class CChildFrame;
class CColorBars;
class CCommandMap;
class CDocManager;
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
    // The options changed the recent-file list's size, or the file-association switch (which
    // is stored at once).
    std::function<void(int)> setRecentFileCount;
    std::function<void(bool)> setRegisterFileType;
};

// The program's main window: the document windows in an area painted with the wallpaper, the
// menus of the command table (menu 128 while no document is open, 129 with one), the eight
// toolbars with the two colour bars, the status bar, and the window placement of section
// MainFrame. Closing it writes the settings, then closes the documents, asking to save
// changes.
//
// Its parts: the command route (MainFrameCommands.cpp), the menus (CMainMenus), the status
// bar with the solver display (CStatusPanes), the document windows and the frame's placement
// (MainFrameWindows.cpp); this class wires them together.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kLogoResource = 222;

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
    int MenuResource() const { return menus_->Resource(); }
    QMenu* FileMenu() const { return menus_->FileMenu(); }
    // The top-level menus of menu 128 or 129.
    const std::vector<QMenu*>& Menus(int resource) const { return menus_->Menus(resource); }
    // The View menu of menu 128, also the context menu of the frame.
    QMenu* ViewMenu() const { return menus_->ViewMenu(); }
    // A toolbar by its resource number; nullptr while it has no buttons to show.
    QToolBar* ToolBar(int resource) const;
    CColorBars& ColorBars() const { return *colorBars_; }
    // The colour bars, the colour pop-up and the colour menu take the active document's
    // colours again (the views call this after a colour change).
    void RefreshColorDisplays();
    // The program's printer, which the page setup configures.
    QPrinter& Printer();
    // Brings the recent-file entries of both File menus up to date.
    void UpdateRecentFileMenu() { menus_->UpdateRecentFiles(); }

    // Pane 0 holds the messages and prompts; the others are named by their ids
    // (CStatusPanes::kPane...).
    void SetPaneText(int paneId, const QString& text);
    QString PaneText(int paneId) const;
    // The status bar, which also shows what a solve does.
    CStatusPanes& StatusPanes() const { return *statusPanes_; }

    // Takes the wallpaper settings again (after the options changed them).
    void UpdateWallpaper();
    // The option sheet on one of its pages (COptionSheet::PageIndex); OK and Apply give the
    // settings to ApplyOptions.
    void OpenOptions(int page);
    // Takes over the settings of the option sheet: the recent-file list's size, the view
    // settings (only documents they change are laid out or drawn again), the file association,
    // the rest, and the wallpaper, repainted at once.
    void ApplyOptions(const AppSettings& chosen);
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
    // Hears every open document: a change of the active one's colours reaches the colour
    // displays, and a change of its history the undo pane, as it is announced.
    class DocumentWatch : public DocumentObserver {
      public:
        explicit DocumentWatch(CMainFrame& frame) : frame_(frame) {}
        void OnLayoutChanged() override { frame_.RefreshColorDisplays(); }
        void OnHistoryChanged() override { frame_.UpdateUndoPane(); }

      private:
        CMainFrame& frame_;
    };

    void CreateCommands();
    void AddFrameCommands();
    // The option sheet's commands and the About box.
    void AddOptionCommands();
    void ApplyViewOptions(const AppSettings& chosen);
    // The document's property report in a report window of its own.
    void ShowProperty(const CLogicDoc& doc);
    void CreateToolBars();
    void CreateMenus();
    void ClearPositionPanes();
    // After one of the program's dialogs or windows has closed, the main window takes the
    // keyboard back when nothing else has it.
    void TakeKeyboardBackAfterHiding(QObject* window);
    void SelectMenu();
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
    std::unique_ptr<CCommandMap> documentTarget_;
    std::unique_ptr<CCommandMap> frameTarget_;
    std::unique_ptr<CCommandMap> appTarget_;
    std::vector<CommandTarget*> extraTargets_;
    CCommandTable* commands_ = nullptr;
    CMainMenus* menus_ = nullptr;
    CToolBarSet* toolBars_ = nullptr;
    // The panes' menus (by PaneMenu), shared by every document window.
    std::array<QMenu*, 3> paneMenus_{};
    CColorBars* colorBars_ = nullptr;
    CStatusPanes* statusPanes_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<DocumentWatch> documentWatch_;
    std::map<const CLogicDoc*, CChildFrame*> frames_;
};

}  // namespace tessemar
