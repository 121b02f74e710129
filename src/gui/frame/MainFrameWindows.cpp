#include "gui/frame/CMainFrame.h"

#include "gui/document/CDocManager.h"
#include "gui/frame/CChildFrame.h"
#include "gui/view/CViewCompanion.h"
#include "gui/frame/StatusPanes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <algorithm>

// The document windows in the main window's area, and where the main window itself stands.
namespace tessemar {

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

void CMainFrame::OnDocumentOpened(CLogicDoc* doc) {
    auto* frame =
        new CChildFrame(docs_, *doc, settings_, [this](int state) { settings_.lastChildState = state; });
    frame->ApplyViewSettings(settings_);
    connect(frame, &CChildFrame::showPreviewToggleRequested, this, &CMainFrame::ToggleShowPreview);
    connect(frame->Companion(), &CViewCompanion::PositionChanged, this,
            [this](const QString& position, const QString& size) {
                SetPaneText(CStatusPanes::kPaneCursor, position);
                SetPaneText(CStatusPanes::kPaneCell, size);
            });
    connect(frame->Companion(), &CViewCompanion::ContextMenuRequested, this, [this](int menu, const QPoint& at) {
        commands_->UpdateAll();
        if (QMenu* shown = paneMenus_.at(static_cast<std::size_t>(menu)))
            shown->popup(at);
    });
    frames_[doc] = frame;
    doc->AddObserver(documentWatch_.get());
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
    doc->RemoveObserver(documentWatch_.get());
    frame->Discard();
    // The panes the view kept up to date are left blank until another view takes them over.
    for (int pane : {CStatusPanes::kPaneCursor, CStatusPanes::kPaneCell, CStatusPanes::kPaneUndo})
        SetPaneText(pane, QStringLiteral(" "));
    // The manager still lists the closing document: the menu follows the windows left.
    SelectMenu();
    UpdateTitle();
    commands_->UpdateAll();
    RefreshColorDisplays();
}

void CMainFrame::TakeKeyboardBackAfterHiding(QObject* window) {
    auto* widget = qobject_cast<QWidget*>(window);
    if (widget == nullptr || widget == this || !widget->isWindow())
        return;
    const Qt::WindowType type = widget->windowType();
    if (type != Qt::Dialog && type != Qt::Window)
        return;
    // A window manager hands the keyboard to the window below; without one it would go nowhere
    // and no shortcut would work until the user clicked into the program.
    QTimer::singleShot(0, this, [this] {
        if (QApplication::activeWindow() == nullptr && isVisible())
            activateWindow();
    });
}

void CMainFrame::ShowFirst() {
    const MainFramePlacement placement = ReadMainFramePlacement(ini_);
    const QRect stored(QPoint(placement.left, placement.top),
                       QPoint(placement.right - 1, placement.bottom - 1));
    // A rectangle on no screen (a monitor unplugged since, or an edited file) is no place to open.
    const bool onScreen = std::ranges::any_of(
        QGuiApplication::screens(),
        [&](const QScreen* screen) { return screen->availableGeometry().intersects(stored); });
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
    // The keyboard belongs to the program that just started, also on a desktop without a
    // window manager to hand it over.
    activateWindow();
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

}  // namespace tessemar
