#include "gui/frame/CMainFrame.h"

#include "core/text/StringTable.h"
#include "gui/app/CDocManager.h"
#include "gui/app/RecentFileList.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/ToolBarLayout.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/images/VersionText.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
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

namespace {

QString Text(unsigned id) {
    return QString::fromUtf8(text::LoadString(id));
}

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
      appTarget_(std::make_unique<CommandMap>()) {
    setCentralWidget(area_);
    setAcceptDrops(true);
    resize(800, 600);
    wallpaper_->SetTextLines(VersionLine(), LegalNoticeLine());
    wallpaper_->Attach(area_->viewport());
    area_->viewport()->setMouseTracking(true);
    area_->viewport()->installEventFilter(this);
    UpdateWallpaper();

    CreateCommands();
    CreateMenus();
    CreateStatusBar();
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

    commands_->Add({cmd::FileNew, text::IdsMenuFileNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}});
    commands_->Add({cmd::FileOpen, text::IdsMenuFileOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}});
    commands_->Add({cmd::FileClose, text::IdsMenuFileClose, {}});
    commands_->Add({cmd::FileSave, text::IdsMenuFileSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}});
    commands_->Add({cmd::FileSaveAs, text::IdsMenuFileSaveAs, {}});
    commands_->Add({cmd::ClearRecentFile, text::IdsMenuClearRecentFile, {}});
    commands_->Add({cmd::AppExit, text::IdsMenuAppExit, {}});
    commands_->Add({cmd::WindowCascade, text::IdsMenuWindowCascade, {}});
    commands_->Add({cmd::WindowTile, text::IdsMenuWindowTile, {}});
}

std::vector<CommandTarget*> CMainFrame::Route() const {
    // The active document window's view first, then its document, then the frame, then the
    // application.
    CChildFrame* child = ActiveChild();
    if (!child)
        return {frameTarget_.get(), appTarget_.get()};
    return {child->ViewTarget(), documentTarget_.get(), frameTarget_.get(), appTarget_.get()};
}

void CMainFrame::CreateMenus() {
    const auto fileMenu = [this](bool withDocument) {
        auto* menu = new QMenu(Text(text::IdsMenuFile), this);
        menu->addAction(commands_->Action(cmd::FileNew));
        menu->addAction(commands_->Action(cmd::FileOpen));
        if (withDocument) {
            menu->addAction(commands_->Action(cmd::FileClose));
            menu->addSeparator();
            menu->addAction(commands_->Action(cmd::FileSave));
            menu->addAction(commands_->Action(cmd::FileSaveAs));
        }
        menu->addSeparator();
        QAction* placeholder = menu->addAction(Text(text::IdsMenuRecentFile));
        placeholder->setEnabled(false);
        placeholder->setObjectName(QStringLiteral("recentPlaceholder"));
        menu->addAction(commands_->Action(cmd::ClearRecentFile));
        menu->addSeparator();
        menu->addAction(commands_->Action(cmd::AppExit));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFileMenu);
        commands_->WatchMenu(menu);
        return menu;
    };
    menus128_ = {fileMenu(false)};

    windowMenu_ = new QMenu(Text(text::IdsMenuWindow), this);
    windowMenu_->addAction(commands_->Action(cmd::WindowCascade));
    windowMenu_->addAction(commands_->Action(cmd::WindowTile));
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillWindowList);
    commands_->WatchMenu(windowMenu_);
    menus129_ = {fileMenu(true), windowMenu_};
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
    for (QMenu* menu : FileMenus())
        FillRecentFiles(menu);
}

void CMainFrame::FillRecentFiles(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        const int id = action->data().toInt();
        if (id >= cmd::FirstRecentFile && id < cmd::FirstRecentFile + RecentFileList::kMaxSize)
            menu->removeAction(action);
    }
    QAction* clear = commands_->Action(cmd::ClearRecentFile);
    const std::size_t count = recentFiles_.Entries().size();
    for (std::size_t i = 0; i < count; ++i) {
        const int id = cmd::FirstRecentFile + static_cast<int>(i);
        // Both File menus share the entry's action; it is made afresh when its text changed,
        // so that an entry left from a longer list cannot open the wrong file.
        const QString text = QString::fromStdString(recentFiles_.MenuText(i));
        QAction* action = commands_->Action(id);
        if (!action || action->text() != text)
            action = commands_->AddDynamic(id, text, text::IdsPromptRecentFile);
        menu->insertAction(clear, action);
    }
    if (QAction* placeholder = menu->findChild<QAction*>(QStringLiteral("recentPlaceholder")))
        placeholder->setVisible(count == 0);
}

void CMainFrame::FillWindowList() {
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

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // Pane 0 is a widget of ours rather than the status bar's message line, so that it keeps
    // its icon beside the text.
    auto* messagePane = new QWidget(bar);
    auto* layout = new QHBoxLayout(messagePane);
    layout->setContentsMargins(2, 0, 2, 0);
    messageIcon_ = new QLabel(messagePane);
    messageIcon_->setFixedSize(16, 16);
    auto* message = new QLabel(QStringLiteral(" "), messagePane);
    layout->addWidget(messageIcon_);
    layout->addWidget(message, 1);
    bar->addWidget(messagePane, 1);
    panes_[kPaneMessage] = message;
    SetPaneIcon(QIcon(QStringLiteral(":/icons/tessemar-16.png")));
    for (int id : {kPaneCursor, kPaneCell, kPaneUndo}) {
        auto* pane = new QLabel(Text(static_cast<unsigned>(id)), bar);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("000, 000")));
        bar->addPermanentWidget(pane);
        panes_[id] = pane;
    }
}

void CMainFrame::SetPaneText(int paneId, const QString& text) {
    auto it = panes_.find(paneId);
    if (it != panes_.end())
        it->second->setText(text);
}

void CMainFrame::SetPaneIcon(const QIcon& icon) {
    messageIcon_->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
}

bool CMainFrame::PaneHasIcon() const {
    return !messageIcon_->pixmap().isNull();
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
    // Over the empty area no cell is under the mouse: the position panes say nothing.
    if (watched == area_->viewport() && event->type() == QEvent::MouseMove) {
        SetPaneText(kPaneCursor, QStringLiteral(" "));
        SetPaneText(kPaneCell, QStringLiteral(" "));
    }
    return QMainWindow::eventFilter(watched, event);
}

QString CMainFrame::PaneText(int paneId) const {
    auto it = panes_.find(paneId);
    return it == panes_.end() ? QString() : it->second->text();
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
    frames_[doc] = frame;
    area_->addSubWindow(frame);
    if (settings_.lastChildState & CChildFrame::Maximized) {
        frame->showMaximized();
    } else {
        frame->show();
    }
    area_->setActiveSubWindow(frame);
    SelectMenu();
    UpdateTitle();
    commands_->UpdateAll();
}

void CMainFrame::OnDocumentClosing(CLogicDoc* doc) {
    auto it = frames_.find(doc);
    if (it == frames_.end())
        return;
    CChildFrame* frame = it->second;
    frames_.erase(it);
    frame->Discard();
    // The manager still lists the closing document: the menu follows the windows left.
    SelectMenu();
    UpdateTitle();
    commands_->UpdateAll();
}

void CMainFrame::ShowFirst() {
    const MainFramePlacement placement = ReadMainFramePlacement(ini_);
    if (placement.zoomed) {
        showMaximized();
    } else if (placement.left == 0 && placement.top == 0 && placement.right == 0 &&
               placement.bottom == 0) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect rect = geometry();
            rect.moveCenter(screen->availableGeometry().center());
            move(rect.topLeft());
        }
        show();
    } else {
        setGeometry(placement.left, placement.top, placement.right - placement.left,
                    placement.bottom - placement.top);
        show();
    }
    if ((settings_.lastChildState & CChildFrame::Maximized) == 0)
        area_->cascadeSubWindows();
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
