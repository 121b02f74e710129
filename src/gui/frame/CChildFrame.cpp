#include "gui/frame/CChildFrame.h"

#include "gui/document/CDocManager.h"
#include "gui/view/CClueEditor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CLogicView.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCommands.h"
#include "gui/view/CViewCompanion.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>

namespace tessemar {

CChildFrame::CChildFrame(CDocManager& docs, CLogicDoc& doc, AppSettings& settings,
                         std::function<void(int)> sizeStateChanged)
    : docs_(docs),
      doc_(doc),
      sizeStateChanged_(std::move(sizeStateChanged)),
      companion_(std::make_unique<CViewCompanion>(doc)),
      session_(std::make_unique<CEditSession>(doc, settings)),
      viewCommands_(std::make_unique<CViewCommands>(*companion_, *session_, docs.Ini())) {
    setAttribute(Qt::WA_DeleteOnClose);
    companion_->SetSession(session_.get());
    grid_ = new CPaneGrid(*companion_);
    setWidget(grid_);
    editor_ = std::make_unique<CClueEditor>(*session_, *companion_, *grid_);
    companion_->SetEditor(editor_.get());
    // Before the document is saved, asked about or solved, what was typed belongs to it.
    connect(&docs_, &CDocManager::finishEditing, this, [this](CLogicDoc* finishing) {
        if (finishing == &doc_)
            FinishEditing();
    });
    SetViewTarget(viewCommands_.get());
    connect(companion_.get(), &CViewCompanion::ShowPreviewToggleRequested, this,
            &CChildFrame::showPreviewToggleRequested);
    // The corner's caption looks like a window caption and follows this window's activation.
    grid_->View(CornerPane)->SetFrameActive(false);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                if (grid_)
                    grid_->View(CornerPane)->SetFrameActive(now.testFlag(Qt::WindowActive));
            });
    // The document's own icon, as the desktop shows its files.
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/application-x-tessemar-%1.png").arg(size));
    setWindowIcon(icon);
    resize(400, 300);
    UpdateTitle();
}

CChildFrame::~CChildFrame() {
    ReleaseViews();
}

void CChildFrame::ReleaseViews() {
    // The panes hold references into the companion: they go first.
    viewTarget_ = nullptr;
    // The document goes right after the window: what the box still holds was stored before
    // the question whether to save it, or is not wanted.
    if (editor_) {
        companion_->SetEditor(nullptr);
        editor_.reset();
    }
    if (grid_) {
        CPaneGrid* grid = grid_;
        grid_ = nullptr;
        setWidget(nullptr);
        delete grid;
    }
    viewCommands_.reset();
    // The panes are gone, so nothing asks the companion for the session any more.
    session_.reset();
    companion_.reset();
}

void CChildFrame::ApplyViewSettings(const AppSettings& settings) {
    if (companion_)
        companion_->ApplyViewSettings(settings);
}

void CChildFrame::FitToContent(const QSize& available) {
    if (!grid_)
        return;
    // The window's own border and caption around the panes.
    const QSize decoration = size() - widget()->size();
    resize((grid_->ContentSize() + decoration).boundedTo(available));
}

void CChildFrame::FinishEditing() {
    if (editor_)
        editor_->CloseNumberBox();
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(doc_.GetTitle()));
}

void CChildFrame::Discard() {
    discarding_ = true;
    ReleaseViews();
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (discarding_) {
        event->accept();
        return;
    }
    // The manager calls Discard through documentClosing, then destroys the document.
    if (docs_.CloseDocument(doc_)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || discarding_ || !sizeStateChanged_)
        return;
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized) {
        sizeStateChanged_(Minimized);
    } else if (states & Qt::WindowMaximized) {
        sizeStateChanged_(Maximized);
    } else {
        sizeStateChanged_(Restored);
    }
}

}  // namespace tessemar
