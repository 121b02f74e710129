#include "gui/frame/CMainFrame.h"

#include "core/text/StringTable.h"
#include "gui/commands/CommandDefs.h"
#include "gui/commands/CommandMap.h"
#include "gui/common/UiText.h"
#include "gui/document/CDocManager.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/ColorBars.h"
#include "gui/frame/StatusPanes.h"
#include "gui/frame/ToolBarLayout.h"
#include "gui/frame/ToolBarSet.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/images/VersionText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

namespace tessemar {

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
      documentTarget_(std::make_unique<CCommandMap>()),
      frameTarget_(std::make_unique<CCommandMap>()),
      appTarget_(std::make_unique<CCommandMap>()),
      documentWatch_(std::make_unique<DocumentWatch>(*this)) {
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
    qApp->installEventFilter(this);
    UpdateWallpaper();

    CreateCommands();
    statusPanes_ = new CStatusPanes(statusBar());
    menus_ = new CMainMenus(*this, *commands_, recentFiles_, *area_, *frameTarget_);
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
        doc->RemoveObserver(documentWatch_.get());
}

void CMainFrame::UpdateWallpaper() {
    wallpaper_->SetWallpaper(settings_.brush, settings_.path, kLogoResource,
                             settings_.wallpaperColor1, settings_.wallpaperColor2,
                             settings_.direction);
    area_->viewport()->update();
}

void CMainFrame::CreateToolBars() {
    colorBars_ = new CColorBars(
        *this, *commands_, settings_, [this]() -> const CLogicDoc* { return ActiveDocument(); },
        [this](const QString& text) { SetPaneText(CStatusPanes::kPaneMessage, text); });
    toolBars_ = new CToolBarSet(*this, *commands_, [this](int id, QToolBar* bar) {
        return colorBars_->MakeSwatch(id, bar);
    });
    colorBars_->Attach(*toolBars_);
    for (const DropDownDef& dropDown : DropDownButtons()) {
        if (dropDown.popup == PopupColor)
            continue;  // the colour bars look after their own pop-up
        const std::vector<QMenu*> popup = menus_->Builder().Build(DropDownMenu(dropDown.popup));
        if (!popup.empty())
            toolBars_->SetDropDown(dropDown.commandId, popup.front());
    }
    toolBars_->LayOutInitially(settings_.fullColorBar != 0);
    const std::span<const MenuEntry> paneMenus[] = {PictureContextMenu(), ClueContextMenu(), CornerContextMenu()};
    for (std::size_t i = 0; i < paneMenus_.size(); ++i) {
        const std::vector<QMenu*> menu = menus_->Builder().Build(paneMenus[i]);
        paneMenus_[i] = menu.empty() ? nullptr : menu.front();
    }
}

QToolBar* CMainFrame::ToolBar(int resource) const {
    return toolBars_->Bar(resource);
}

void CMainFrame::RefreshColorDisplays() {
    if (colorBars_)
        colorBars_->Refresh();
}

void CMainFrame::CreateMenus() {
    menus_->Build();
    // The colour cells of the menus show the document's colours of the moment.
    for (int resource : {128, 129}) {
        for (QMenu* menu : menus_->Menus(resource))
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshColorDisplays);
    }
}

void CMainFrame::SelectMenu() {
    menus_->Select(!frames_.empty());
}

void CMainFrame::SetPaneText(int paneId, const QString& text) {
    statusPanes_->SetText(paneId, text);
}

QString CMainFrame::PaneText(int paneId) const {
    return statusPanes_->Text(paneId);
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // The prompts of menu items and buttons go to pane 0.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetPaneText(CStatusPanes::kPaneMessage, tip.isEmpty() ? QStringLiteral(" ") : tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::MouseMove)
        ClearPositionPanes();
    else if (event->type() == QEvent::Hide)
        TakeKeyboardBackAfterHiding(watched);
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ClearPositionPanes() {
    // Away from the puzzles no cell is under the mouse: the position panes say nothing.
    SetPaneText(CStatusPanes::kPaneCursor, QStringLiteral(" "));
    SetPaneText(CStatusPanes::kPaneCell, QStringLiteral(" "));
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
    // Made at first use: asking the print system for its printers may take a while. It works in
    // the printer's own pixels, which the zoom of the settings is meant for.
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CMainFrame::UpdateTitle() {
    const QString title = Text(text::IdsAppTitle);
    CLogicDoc* doc = ActiveDocument();
    setWindowTitle(doc ? title + QStringLiteral(" - ") + QString::fromStdString(doc->GetTitle())
                       : title);
}

void CMainFrame::UpdateUndoPane() {
    if (const CLogicDoc* doc = ActiveDocument())
        SetPaneText(CStatusPanes::kPaneUndo, QString::fromStdString(doc->UndoPositionText()));
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
