#include "gui/app/CAppFrame.h"

#include "core/text/StringTable.h"
#include "gui/app/CLogicApp.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

namespace tessemar {
namespace {

QString Text(unsigned id) {
    return QString::fromUtf8(text::LoadString(id));
}

// Menu texts carry their shortcut after a tab, as the menus show them.
QAction* AddCommand(QMenu* menu, unsigned textId, int commandId) {
    const QStringList parts = Text(textId).split(QLatin1Char('\t'));
    QAction* action = menu->addAction(parts.first());
    if (parts.size() > 1)
        action->setShortcut(QKeySequence(parts[1]));
    action->setData(commandId);
    return action;
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

CDocFrame::CDocFrame(CLogicApp& app, CLogicDoc& doc) : app_(app), doc_(doc) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(new QWidget);
    resize(400, 300);
    UpdateTitle();
}

void CDocFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(doc_.GetTitle()));
}

void CDocFrame::Discard() {
    discarding_ = true;
    close();
}

void CDocFrame::closeEvent(QCloseEvent* event) {
    if (discarding_) {
        event->accept();
        return;
    }
    // The manager destroys the document and then calls Discard through documentClosing.
    if (app_.DocManager().CloseDocument(doc_)) {
        event->accept();
    } else {
        event->ignore();
    }
}

CAppFrame::CAppFrame(CLogicApp& app) : app_(app), area_(new QMdiArea(this)) {
    setCentralWidget(area_);
    setAcceptDrops(true);
    resize(800, 600);

    fileMenu_ = menuBar()->addMenu(Text(text::IdsMenuFile));
    CDocManager& docs = app_.DocManager();
    connect(AddCommand(fileMenu_, text::IdsMenuFileNew, 57600), &QAction::triggered, this,
            [&docs] { docs.OnFileNew(); });
    connect(AddCommand(fileMenu_, text::IdsMenuFileOpen, 57601), &QAction::triggered, this,
            [&docs] { docs.OnFileOpen(); });
    closeAction_ = AddCommand(fileMenu_, text::IdsMenuFileClose, 57602);
    connect(closeAction_, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* window = area_->activeSubWindow())
            window->close();
    });
    saveAction_ = AddCommand(fileMenu_, text::IdsMenuFileSave, 57603);
    connect(saveAction_, &QAction::triggered, this, [this, &docs] {
        if (CLogicDoc* doc = ActiveDocument())
            docs.SaveDocument(*doc);
    });
    saveAsAction_ = AddCommand(fileMenu_, text::IdsMenuFileSaveAs, 57604);
    connect(saveAsAction_, &QAction::triggered, this, [this, &docs] {
        if (CLogicDoc* doc = ActiveDocument())
            docs.SaveDocumentAs(*doc);
    });
    fileMenu_->addSeparator();
    recentPlaceholder_ = fileMenu_->addAction(Text(text::IdsMenuRecentFile));
    recentPlaceholder_->setEnabled(false);
    clearRecentAction_ = AddCommand(fileMenu_, text::IdsMenuClearRecentFile, 32859);
    connect(clearRecentAction_, &QAction::triggered, this, [this] { app_.OnClearRecentFile(); });
    fileMenu_->addSeparator();
    connect(AddCommand(fileMenu_, text::IdsMenuAppExit, 57665), &QAction::triggered, this,
            &QWidget::close);
    connect(fileMenu_, &QMenu::aboutToShow, this, [this] {
        UpdateRecentFileMenu();
        UpdateCommands();
    });

    connect(&docs, &CDocManager::documentOpened, this, &CAppFrame::OnDocumentOpened);
    connect(&docs, &CDocManager::documentClosing, this, &CAppFrame::OnDocumentClosing);
    connect(&docs, &CDocManager::documentActivated, this, [this](CLogicDoc* doc) {
        if (CDocFrame* frame = FrameOf(doc))
            area_->setActiveSubWindow(frame);
        show();
        raise();
        activateWindow();
    });
    connect(&docs, &CDocManager::documentRenamed, this, [this](CLogicDoc* doc) {
        if (CDocFrame* frame = FrameOf(doc))
            frame->UpdateTitle();
        UpdateTitle();
    });
    connect(&docs, &CDocManager::recentFilesChanged, this, &CAppFrame::UpdateRecentFileMenu);
    connect(area_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateTitle();
        UpdateCommands();
    });
    UpdateRecentFileMenu();
    UpdateCommands();
    UpdateTitle();
}

CAppFrame::~CAppFrame() {
    // The document area outlives this object's members while QWidget tears the children
    // down, and its activation signals must not reach them.
    disconnect(area_, nullptr, this, nullptr);
}

CLogicDoc* CAppFrame::ActiveDocument() const {
    auto* frame = qobject_cast<CDocFrame*>(area_->activeSubWindow());
    // A window whose document is closing stays active until it is gone; its document may be
    // destroyed already.
    for (const auto& entry : frames_) {
        if (entry.second == frame)
            return &frame->Document();
    }
    return nullptr;
}

CDocFrame* CAppFrame::FrameOf(const CLogicDoc* doc) const {
    auto it = frames_.find(doc);
    return it == frames_.end() ? nullptr : it->second;
}

void CAppFrame::UpdateTitle() {
    const QString title = Text(text::IdsAppTitle);
    CLogicDoc* doc = ActiveDocument();
    setWindowTitle(doc ? title + QStringLiteral(" - ") + QString::fromStdString(doc->GetTitle())
                       : title);
}

void CAppFrame::UpdateCommands() {
    const bool hasDocument = ActiveDocument() != nullptr;
    saveAction_->setEnabled(hasDocument);
    saveAsAction_->setEnabled(hasDocument);
    closeAction_->setEnabled(hasDocument);
    clearRecentAction_->setEnabled(!app_.RecentFiles().Entries().empty());
}

void CAppFrame::UpdateRecentFileMenu() {
    const RecentFileList& recent = app_.RecentFiles();
    const auto count = static_cast<int>(recent.Entries().size());
    // Remove every entry first: one left from a longer list would open the wrong file.
    for (QAction* action : fileMenu_->actions()) {
        const int id = action->data().toInt();
        if (id >= kFirstRecentFile && id < kFirstRecentFile + RecentFileList::kMaxSize) {
            fileMenu_->removeAction(action);
            action->deleteLater();
        }
    }
    recentPlaceholder_->setVisible(count == 0);
    for (int i = 0; i < count; ++i) {
        auto* action = new QAction(
            QString::fromStdString(recent.MenuText(static_cast<std::size_t>(i))), fileMenu_);
        action->setData(kFirstRecentFile + i);
        connect(action, &QAction::triggered, this,
                [this, i] { app_.DocManager().OpenRecentFile(static_cast<std::size_t>(i)); });
        fileMenu_->insertAction(clearRecentAction_, action);
    }
    clearRecentAction_->setEnabled(count > 0);
}

void CAppFrame::OnDocumentOpened(CLogicDoc* doc) {
    auto* frame = new CDocFrame(app_, *doc);
    frames_[doc] = frame;
    area_->addSubWindow(frame);
    frame->show();
    area_->setActiveSubWindow(frame);
    UpdateTitle();
    UpdateCommands();
}

void CAppFrame::OnDocumentClosing(CLogicDoc* doc) {
    auto it = frames_.find(doc);
    if (it == frames_.end())
        return;
    CDocFrame* frame = it->second;
    frames_.erase(it);
    frame->Discard();
    UpdateTitle();
    UpdateCommands();
}

void CAppFrame::closeEvent(QCloseEvent* event) {
    if (!app_.DocManager().SaveAllModified()) {
        event->ignore();
        return;
    }
    app_.OnMainWindowClosing();
    app_.DocManager().CloseAllDocuments();
    event->accept();
}

void CAppFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CAppFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    for (const QString& file : files)
        app_.DocManager().OpenDocumentFile(file);
}

}  // namespace tessemar
