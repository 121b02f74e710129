#include "gui/frame/CMainFrame.h"

#include "core/text/StringTable.h"
#include "gui/document/CDocManager.h"
#include "gui/document/RecentFileList.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/CHelpWindow.h"
#include "gui/frame/ColorBars.h"
#include "gui/commands/CommandDefs.h"
#include "gui/commands/MenuBuilder.h"
#include "gui/frame/PageSetup.h"
#include "gui/frame/StatusPanes.h"
#include "gui/frame/ToolBarLayout.h"
#include "gui/frame/ToolBarSet.h"
#include "gui/common/UiText.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/images/VersionText.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

namespace tessemar {

// The commands one link of the route handles, each with its action and its update function.
class CMainFrame::CommandMap : public CommandTarget {
  public:
    using Run = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    void Add(int id, Run run, Update update = {}) {
        handlers_[id] = {std::move(run), std::move(update)};
    }

    bool HandlesCommand(int id) const override { return handlers_.count(id) != 0; }
    void OnCommand(int id) override {
        auto it = handlers_.find(id);
        if (it != handlers_.end() && it->second.run)
            it->second.run();
    }
    void OnUpdateCommand(int id, CommandState& state) override {
        auto it = handlers_.find(id);
        if (it != handlers_.end() && it->second.update)
            it->second.update(state);
    }

  private:
    struct Handler {
        Run run;
        Update update;
    };
    std::map<int, Handler> handlers_;
};

// Follows the colours of every open document: a change of the active one's colours reaches
// the colour displays at once.
class CMainFrame::ColorWatch : public DocumentObserver {
  public:
    explicit ColorWatch(CMainFrame& frame) : frame_(frame) {}
    void OnLayoutChanged() override { frame_.RefreshColorDisplays(); }

  private:
    CMainFrame& frame_;
};

namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.push_back(url.toLocalFile());
    }
    return files;
}

}  // namespace

CMainFrame::CMainFrame(CDocManager& docs, AppSettings& settings, const IniFile& ini,
                       RecentFileList& recentFiles, MainFrameHooks hooks)
    : docs_(docs),
      settings_(settings),
      ini_(ini),
      recentFiles_(recentFiles),
      hooks_(std::move(hooks)),
      area_(new QMdiArea(this)),
      wallpaper_(new CWallpaperPainter(this)),
      documentTarget_(std::make_unique<CommandMap>()),
      frameTarget_(std::make_unique<CommandMap>()),
      appTarget_(std::make_unique<CommandMap>()),
      colorWatch_(std::make_unique<ColorWatch>(*this)) {
    setCentralWidget(area_);
    setAcceptDrops(true);
    setMouseTracking(true);
    // The buttons explain themselves even while another window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    resize(800, 600);
    wallpaper_->SetTextLines(VersionLine(), LegalNoticeLine());
    wallpaper_->Attach(area_->viewport());
    area_->viewport()->setMouseTracking(true);
    area_->viewport()->installEventFilter(this);
    UpdateWallpaper();

    CreateCommands();
    statusPanes_ = new CStatusPanes(statusBar());
    CreateToolBars();
    CreateMenus();
    RestoreToolBarState(ini_, *this);

    connect(&docs_, &CDocManager::documentOpened, this, &CMainFrame::OnDocumentOpened);
    connect(&docs_, &CDocManager::documentClosing, this, &CMainFrame::OnDocumentClosing);
    connect(&docs_, &CDocManager::documentActivated, this, [this](CLogicDoc* doc) {
        if (CChildFrame* frame = FrameOf(doc))
            area_->setActiveSubWindow(frame);
        show();
        raise();
        activateWindow();
    });
    connect(&docs_, &CDocManager::documentRenamed, this, [this](CLogicDoc* doc) {
        if (CChildFrame* frame = FrameOf(doc))
            frame->UpdateTitle();
        UpdateTitle();
    });
    connect(&docs_, &CDocManager::recentFilesChanged, this, &CMainFrame::UpdateRecentFileMenu);
    connect(area_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateTitle();
        commands_->UpdateAll();
        RefreshColorDisplays();
        UpdateUndoPane();
    });
    // Whatever changed the current colour, the document's colours or its history, the displays
    // catch up within the idle interval.
    connect(commands_, &CCommandTable::idle, this, [this] {
        RefreshColorDisplays();
        UpdateUndoPane();
    });
    for (CLogicDoc* doc : docs_.Documents())
        OnDocumentOpened(doc);
    SelectMenu();
    UpdateRecentFileMenu();
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    // The document area outlives this object's members while QWidget tears the children
    // down, and its activation signals must not reach them.
    disconnect(area_, nullptr, this, nullptr);
    area_->viewport()->removeEventFilter(this);
    for (CLogicDoc* doc : docs_.Documents())
        doc->RemoveObserver(colorWatch_.get());
}

void CMainFrame::UpdateWallpaper() {
    wallpaper_->SetWallpaper(settings_.brush, settings_.path, kLogoResource,
                             settings_.wallpaperColor1, settings_.wallpaperColor2,
                             settings_.direction);
    area_->viewport()->update();
}

void CMainFrame::CreateCommands() {
    commands_ = new CCommandTable(this, [this] { return Route(); });

    // The application's commands: they need no window.
    appTarget_->Add(cmd::FileNew, [this] { docs_.OnFileNew(); });
    appTarget_->Add(cmd::FileOpen, [this] { docs_.OnFileOpen(); });
    appTarget_->Add(
        cmd::ClearRecentFile,
        [this] {
            if (hooks_.clearRecentFile)
                hooks_.clearRecentFile();
        },
        [this](CommandState& state) {
            state.enabled =
                static_cast<bool>(hooks_.clearRecentFile) && !recentFiles_.Entries().empty();
        });
    for (int i = 0; i < RecentFileList::kMaxSize; ++i) {
        appTarget_->Add(
            cmd::FirstRecentFile + i,
            [this, i] { docs_.OpenRecentFile(static_cast<std::size_t>(i)); },
            [this, i](CommandState& state) {
                state.enabled = static_cast<std::size_t>(i) < recentFiles_.Entries().size();
            });
    }
    appTarget_->Add(cmd::AppExit, [this] { close(); });

    // The active document's commands.
    documentTarget_->Add(cmd::FileSave, [this] {
        if (CLogicDoc* doc = ActiveDocument())
            docs_.SaveDocument(*doc);
    });
    documentTarget_->Add(cmd::FileSaveAs, [this] {
        if (CLogicDoc* doc = ActiveDocument())
            docs_.SaveDocumentAs(*doc);
    });

    // The frame's commands, on its document windows.
    const auto hasWindows = [this](CommandState& state) {
        state.enabled = !area_->subWindowList().isEmpty();
    };
    frameTarget_->Add(
        cmd::FileClose,
        [this] {
            if (QMdiSubWindow* window = area_->activeSubWindow())
                window->close();
        },
        [this](CommandState& state) { state.enabled = ActiveDocument() != nullptr; });
    frameTarget_->Add(
        cmd::WindowCascade, [this] { area_->cascadeSubWindows(); }, hasWindows);
    frameTarget_->Add(
        cmd::WindowTile, [this] { area_->tileSubWindows(); }, hasWindows);

    AddFrameCommands();
    AddCommands(*commands_, AvailableCommandIds());
}

void CMainFrame::AddFrameCommands() {
    // The toolbars and the colour bar: the menu item carries a check while the bar is shown.
    // The actions are made before the bars, so their first update finds none yet.
    for (int toggle : {cmd::ViewStandardBar, cmd::ViewToolBar, cmd::ViewImageBar,
                       cmd::ViewNumberBar, cmd::ViewOptionBar, cmd::ViewCommandBar}) {
        frameTarget_->Add(
            toggle,
            [this, toggle] {
                if (toolBars_)
                    CToolBarSet::Toggle(toolBars_->BarOfToggle(toggle));
            },
            [this, toggle](CommandState& state) {
                state.checked = toolBars_ && CToolBarSet::IsShown(toolBars_->BarOfToggle(toggle));
            });
    }
    frameTarget_->Add(
        cmd::ViewColorBar,
        [this] {
            if (colorBars_)
                colorBars_->ToggleShown();
        },
        [this](CommandState& state) { state.checked = colorBars_ && colorBars_->IsShown(); });
    frameTarget_->Add(
        cmd::FullColorBar,
        [this] {
            if (colorBars_)
                colorBars_->Choose(true);
        },
        [this](CommandState& state) { state.checked = settings_.fullColorBar != 0; });
    frameTarget_->Add(
        cmd::SimpleColorBar,
        [this] {
            if (colorBars_)
                colorBars_->Choose(false);
        },
        [this](CommandState& state) { state.checked = settings_.fullColorBar == 0; });

    // The current colour (Alt+1 .. Alt+8), marked in the Color menu.
    for (int i = 0; i < cmd::ColorCount; ++i) {
        frameTarget_->Add(
            cmd::FirstColor + i,
            [this, i] {
                settings_.color = i + 1;
                RefreshColorDisplays();
            },
            [this, i](CommandState& state) { state.checked = settings_.color == i + 1; });
    }
    frameTarget_->Add(cmd::ChooseColor, [this] {
        if (colorBars_)
            colorBars_->ShowColorPopup();
    });
    frameTarget_->Add(cmd::PageSetup, [this] { RunPageSetup(this, Printer(), settings_); });
    // A missing manual simply shows nothing.
    frameTarget_->Add(cmd::Help, [this] { CHelpWindow::ShowHelp(this); });
}

void CMainFrame::AddRouteTarget(CommandTarget* target) {
    if (target &&
        std::find(extraTargets_.begin(), extraTargets_.end(), target) == extraTargets_.end())
        extraTargets_.push_back(target);
}

void CMainFrame::RemoveRouteTarget(CommandTarget* target) {
    extraTargets_.erase(std::remove(extraTargets_.begin(), extraTargets_.end(), target),
                        extraTargets_.end());
}

std::vector<CommandTarget*> CMainFrame::Route() const {
    // The further targets first, then the active document window's view and the document,
    // then the frame, then the application.
    CChildFrame* child = ActiveChild();
    if (!child)
        return {frameTarget_.get(), appTarget_.get()};
    std::vector<CommandTarget*> route(extraTargets_.begin(), extraTargets_.end());
    route.insert(route.end(), {child->ViewTarget(), documentTarget_.get(), frameTarget_.get(),
                               appTarget_.get()});
    return route;
}

void CMainFrame::CreateToolBars() {
    colorBars_ = new CColorBars(
        *this, *commands_, settings_, [this]() -> const CLogicDoc* { return ActiveDocument(); },
        [this](const QString& text) { SetPaneText(kPaneMessage, text); });
    toolBars_ = new CToolBarSet(*this, *commands_, [this](int id, QToolBar* bar) {
        return colorBars_->MakeSwatch(id, bar);
    });
    colorBars_->Attach(*toolBars_);
    menuBuilder_ = std::make_unique<CMenuBuilder>(*commands_, this);
    for (const DropDownDef& dropDown : DropDownButtons()) {
        if (dropDown.popup == PopupColor)
            continue;  // the colour bars look after their own pop-up
        const std::vector<QMenu*> popup = menuBuilder_->Build(DropDownMenu(dropDown.popup));
        if (!popup.empty())
            toolBars_->SetDropDown(dropDown.commandId, popup.front());
    }
    toolBars_->LayOutInitially(settings_.fullColorBar != 0);
}

QToolBar* CMainFrame::ToolBar(int resource) const {
    return toolBars_->Bar(resource);
}

void CMainFrame::RefreshColorDisplays() {
    if (colorBars_)
        colorBars_->Refresh();
}

void CMainFrame::CreateMenus() {
    menus128_ = menuBuilder_->Build(MainMenu128());
    menus129_ = menuBuilder_->Build(MainMenu129());
    windowMenu_ = menuBuilder_->WindowListMenu();
    if (windowMenu_)
        connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillWindowList);
    for (QMenu* menu : menuBuilder_->RecentFileMenus())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFileMenu);
    // The colour cells of the menus show the document's colours of the moment.
    for (const auto* menus : {&menus128_, &menus129_}) {
        for (QMenu* menu : *menus)
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshColorDisplays);
    }
}

const std::vector<QMenu*>& CMainFrame::Menus(int resource) const {
    return resource == 129 ? menus129_ : menus128_;
}

QMenu* CMainFrame::ViewMenu() const {
    const QString title = CCommandTable::MenuText(text::IdsMenuView);
    for (QMenu* menu : menus128_) {
        if (menu->title() == title)
            return menu;
    }
    return nullptr;
}

QMenu* CMainFrame::FileMenu() const {
    return menuResource_ == 129 ? menus129_.front() : menus128_.front();
}

void CMainFrame::SelectMenu() {
    const int wanted = frames_.empty() ? 128 : 129;
    if (wanted == menuResource_)
        return;
    menuResource_ = wanted;
    menuBar()->clear();
    for (QMenu* menu : wanted == 128 ? menus128_ : menus129_)
        menuBar()->addMenu(menu);
}

void CMainFrame::UpdateRecentFileMenu() {
    for (QMenu* menu : menuBuilder_->RecentFileMenus())
        FillRecentFiles(menu);
}

void CMainFrame::FillRecentFiles(QMenu* menu) {
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
        QAction* action = commands_->Action(id);
        if (!action || action->text() != text)
            action = commands_->AddDynamic(id, text, text::IdsPromptRecentFile);
        menu->insertAction(placeholder, action);
    }
    placeholder->setVisible(count == 0);
}

void CMainFrame::FillWindowList() {
    if (!windowMenu_)
        return;
    for (QAction* action : windowMenu_->actions()) {
        if (action->data().toInt() >= cmd::FirstWindow || action->isSeparator())
            windowMenu_->removeAction(action);
    }
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        const int id = cmd::FirstWindow + i;
        if (!frameTarget_->HandlesCommand(id)) {
            frameTarget_->Add(
                id,
                [this, i] {
                    const QList<QMdiSubWindow*> current = area_->subWindowList();
                    if (i < current.size())
                        area_->setActiveSubWindow(current[i]);
                },
                [this, i](CommandState& state) {
                    const QList<QMdiSubWindow*> current = area_->subWindowList();
                    state.enabled = i < current.size();
                    state.checked = state.enabled && current[i] == area_->activeSubWindow();
                });
        }
        const QString label = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle())
                                    : QStringLiteral("%1 %2").arg(i + 1).arg(window->windowTitle());
        QAction* action = commands_->AddDynamic(id, label, text::IdsPromptWindowActivate);
        action->setCheckable(true);
        action->setChecked(window == area_->activeSubWindow());
        windowMenu_->addAction(action);
    }
}

void CMainFrame::SetPaneText(int paneId, const QString& text) {
    statusPanes_->SetText(paneId, text);
}

QString CMainFrame::PaneText(int paneId) const {
    return statusPanes_->Text(paneId);
}

void CMainFrame::SetPaneIcon(const QIcon& icon) {
    statusPanes_->SetIcon(icon);
}

bool CMainFrame::PaneHasIcon() const {
    return statusPanes_->HasIcon();
}

void CMainFrame::SetSolverMessage(const QString& text) {
    SetPaneText(kPaneMessage, text);
}

void CMainFrame::SetSolverIcon(Icon icon) {
    switch (icon) {
        case Icon::Application:
            statusPanes_->SetIcon(QStringLiteral("application"));
            break;
        case Icon::Stopped:
            statusPanes_->SetIcon(QStringLiteral("solver-stopped"));
            break;
        case Icon::None:
            statusPanes_->SetIcon(QString());
            break;
    }
}

void CMainFrame::ShowSolverProgress() {
    statusPanes_->ShowProgress();
}

void CMainFrame::SetSolverProgress(int percent, const QString& text) {
    statusPanes_->SetProgress(percent, text);
}

void CMainFrame::HideSolverProgress() {
    statusPanes_->HideProgress();
}

void CMainFrame::StartSolverAnimation() {
    statusPanes_->StartAnimation();
}

void CMainFrame::StopSolverAnimation() {
    statusPanes_->StopAnimation();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // The prompts of menu items and buttons go to pane 0.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetPaneText(kPaneMessage, tip.isEmpty() ? QStringLiteral(" ") : tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::MouseMove)
        ClearPositionPanes();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ClearPositionPanes() {
    // Away from the puzzles no cell is under the mouse: the position panes say nothing.
    SetPaneText(kPaneCursor, QStringLiteral(" "));
    SetPaneText(kPaneCell, QStringLiteral(" "));
}

void CMainFrame::mouseMoveEvent(QMouseEvent* event) {
    ClearPositionPanes();
    QMainWindow::mouseMoveEvent(event);
}

void CMainFrame::leaveEvent(QEvent* event) {
    ClearPositionPanes();
    QMainWindow::leaveEvent(event);
}

void CMainFrame::contextMenuEvent(QContextMenuEvent* event) {
    // Anywhere in the frame that no child claims: the View menu, with the toolbar switches.
    if (QMenu* menu = ViewMenu()) {
        menu->popup(event->globalPos());
        event->accept();
        return;
    }
    QMainWindow::contextMenuEvent(event);
}

QPrinter& CMainFrame::Printer() {
    // Made at first use: asking the print system for its printers may take a while.
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

CChildFrame* CMainFrame::ActiveChild() const {
    auto* frame = qobject_cast<CChildFrame*>(area_->activeSubWindow());
    // A window whose document is closing stays active until it is gone; its document may be
    // destroyed already.
    if (!frame || frame->Discarding())
        return nullptr;
    for (const auto& entry : frames_) {
        if (entry.second == frame)
            return frame;
    }
    return nullptr;
}

CLogicDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* frame = ActiveChild();
    return frame ? &frame->Document() : nullptr;
}

CChildFrame* CMainFrame::FrameOf(const CLogicDoc* doc) const {
    auto it = frames_.find(doc);
    return it == frames_.end() ? nullptr : it->second;
}

void CMainFrame::UpdateTitle() {
    const QString title = Text(text::IdsAppTitle);
    CLogicDoc* doc = ActiveDocument();
    setWindowTitle(doc ? title + QStringLiteral(" - ") + QString::fromStdString(doc->GetTitle())
                       : title);
}

void CMainFrame::OnDocumentOpened(CLogicDoc* doc) {
    auto* frame =
        new CChildFrame(docs_, *doc, [this](int state) { settings_.lastChildState = state; });
    frame->ApplyViewSettings(settings_);
    connect(frame, &CChildFrame::showPreviewToggleRequested, this, &CMainFrame::ToggleShowPreview);
    frames_[doc] = frame;
    doc->AddObserver(colorWatch_.get());
    area_->addSubWindow(frame);
    if (settings_.lastChildState & CChildFrame::Maximized) {
        frame->showMaximized();
    } else {
        frame->show();
        FitToArea(*frame);
    }
    area_->setActiveSubWindow(frame);
    SelectMenu();
    UpdateTitle();
    commands_->UpdateAll();
}

void CMainFrame::UpdateUndoPane() {
    if (const CLogicDoc* doc = ActiveDocument())
        SetPaneText(kPaneUndo, QString::fromStdString(doc->UndoPositionText()));
}

void CMainFrame::ToggleShowPreview() {
    settings_.showPreview = settings_.showPreview != 0 ? 0 : 1;
    for (const auto& [doc, frame] : frames_)
        frame->ApplyViewSettings(settings_);
    commands_->UpdateAll();
}

void CMainFrame::OnDocumentClosing(CLogicDoc* doc) {
    auto it = frames_.find(doc);
    if (it == frames_.end())
        return;
    CChildFrame* frame = it->second;
    frames_.erase(it);
    doc->RemoveObserver(colorWatch_.get());
    frame->Discard();
    // The panes the view kept up to date are left blank until another view takes them over.
    for (int pane : {kPaneCursor, kPaneCell, kPaneUndo})
        SetPaneText(pane, QStringLiteral(" "));
    // The manager still lists the closing document: the menu follows the windows left.
    SelectMenu();
    UpdateTitle();
    commands_->UpdateAll();
    RefreshColorDisplays();
}

void CMainFrame::ShowFirst() {
    const MainFramePlacement placement = ReadMainFramePlacement(ini_);
    const QRect stored(QPoint(placement.left, placement.top), QPoint(placement.right - 1, placement.bottom - 1));
    // A rectangle on no screen (a monitor unplugged since, or an edited file) is no place to open.
    const bool onScreen = std::ranges::any_of(QGuiApplication::screens(), [&](const QScreen* screen) {
        return screen->availableGeometry().intersects(stored);
    });
    if (placement.zoomed) {
        showMaximized();
    } else if (!onScreen) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            // The first start has no rectangle of its own: three quarters of the desktop.
            const QRect desktop = screen->availableGeometry();
            resize(desktop.size() * 3 / 4);
            QRect rect = geometry();
            rect.moveCenter(desktop.center());
            move(rect.topLeft());
        }
        show();
    } else {
        setGeometry(stored);
        show();
    }
    if ((settings_.lastChildState & CChildFrame::Maximized) == 0) {
        area_->cascadeSubWindows();
        // Windows opened before the first showing were fitted into an area of no real size.
        for (const auto& [doc, frame] : frames_)
            FitToArea(*frame);
    }
}

void CMainFrame::FitToArea(CChildFrame& frame) const {
    const QSize area = area_->viewport()->size();
    frame.FitToContent({area.width() - frame.x(), area.height() - frame.y()});
}

MainFramePlacement CMainFrame::Placement() const {
    MainFramePlacement placement;
    placement.zoomed = isMaximized();
    placement.restored = !isMaximized() && !isMinimized();
    const QRect rect = normalGeometry();
    placement.left = rect.left();
    placement.top = rect.top();
    placement.right = rect.right() + 1;
    placement.bottom = rect.bottom() + 1;
    return placement;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The settings go to the file first, then the documents close; a user who cancels a
    // "Save changes" question keeps working with the settings already stored.
    SaveSettings(ini_, settings_, Placement(),
                 [this](const IniFile& ini) { WriteToolBarState(ini, *this); });
    if (hooks_.settingsSaved)
        hooks_.settingsSaved();
    if (!docs_.SaveAllModified()) {
        event->ignore();
        return;
    }
    docs_.CloseAllDocuments();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    for (const QString& file : files)
        docs_.OpenDocumentFile(file);
}

}  // namespace tessemar
