#include "gui/view/CLogicView.h"

#include "core/document/CLogicDoc.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"
#include "render/CellMarks.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QWheelEvent>

#include <algorithm>

namespace tessemar {
namespace {

QColor Blend(const QColor& a, const QColor& b, int percentOfB) {
    auto mix = [percentOfB](int x, int y) {
        return (x * (100 - percentOfB) + y * percentOfB) / 100;
    };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

}  // namespace

CLogicView::CLogicView(CViewCompanion& companion, CPaneGrid& grid, Pane pane)
    : QWidget(&grid), companion_(companion), grid_(grid), pane_(pane) {
    // Every pixel of the client is painted, from the canvas or by the corner drawing; an erase
    // first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    LayoutCanvas& canvas = companion_.Canvas();
    connect(&canvas, &LayoutCanvas::LayoutReset, this, &CLogicView::OnLayoutReset);
    connect(&canvas, &LayoutCanvas::RegionChanged, this, &CLogicView::OnRegionChanged);
    connect(&companion_, &CViewCompanion::ScrollSizesChanged, this,
            [this] { UpdateScrollSizes(); });
    if (pane_ == CornerPane) {
        connect(&companion_, &CViewCompanion::TitleChanged, this, [this] { update(); });
        connect(&companion_, &CViewCompanion::ShowPreviewChanged, this, [this] { update(); });
    }
    // The pointer and the position pane follow the mouse even without a button held.
    setMouseTracking(pane_ != CornerPane);
    if (pane_ == PicturePane) {
        connect(&companion_, &CViewCompanion::SelectionChanged, this, [this] { update(); });
        connect(&companion_, &CViewCompanion::MarkedCellsChanged, this, [this] { update(); });
        WatchModifierKeys();
    }
}

PaneView CLogicView::View() const {
    return {{width(), height()}, grid_.ScrollPosition(pane_), scrollExtent_};
}

Rect CLogicView::LayoutWindow() const {
    return PaneLayoutWindow(pane_, companion_.Canvas().Geometry(), View());
}

bool CLogicView::UpdateScrollSizes() {
    const PixelSize size =
        ComputeScrollSize(pane_, companion_.Canvas().Geometry(), companion_.UsedClueDepth());
    if (size == scrollExtent_)
        return false;
    scrollExtent_ = size;
    // A clue pane's content sits against the picture side, so a new depth moves all of it.
    update();
    grid_.UpdateScrollBars();
    return true;
}

void CLogicView::ScrollContents(int dx, int dy) {
    if (pane_ == CornerPane)
        return;
    scroll(-dx, -dy);
}

void CLogicView::SetFrameActive(bool active) {
    if (active == frameActive_)
        return;
    frameActive_ = active;
    if (pane_ == CornerPane)
        update();
}

CornerLook CLogicView::Look() const {
    // The desktop's own window caption: its colours from the palette, its height and font from
    // the style's sub-window title bar.
    const QPalette& p = palette();
    CornerLook look;
    look.buttonFace = p.color(QPalette::Button);
    look.buttonHighlight = p.color(QPalette::Light);
    look.buttonLight = p.color(QPalette::Midlight);
    look.buttonShadow = p.color(QPalette::Dark);
    look.buttonDarkShadow = p.color(QPalette::Shadow);
    look.buttonText = p.color(QPalette::ButtonText);
    look.activeCaption = p.color(QPalette::Active, QPalette::Highlight);
    look.gradientActiveCaption =
        Blend(look.activeCaption, p.color(QPalette::Active, QPalette::Base), 60);
    look.captionText = p.color(QPalette::Active, QPalette::HighlightedText);
    look.inactiveCaption = p.color(QPalette::Dark);
    look.gradientInactiveCaption = p.color(QPalette::Midlight);
    look.inactiveCaptionText = p.color(QPalette::Light);
    QStyleOptionTitleBar option;
    option.initFrom(this);
    look.captionHeight =
        std::max(12, style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this));
    look.captionFont = QApplication::font("QMdiSubWindowTitleBar");
    look.captionFont.setBold(true);
    return look;
}

QRect CLogicView::PreviewRect() const {
    const CLogicDoc& doc = companion_.Document();
    const Rect frame =
        PlaceCornerPreview(size(), Look().captionHeight, doc.columnCount(), doc.rowCount()).frame;
    return QRect(frame.left, frame.top, frame.Width(), frame.Height());
}

void CLogicView::paintEvent(QPaintEvent* event) {
    pendingUpdates_ = 0;
    QPainter painter(this);
    if (pane_ == CornerPane) {
        PaintCorner(painter);
        return;
    }
    // Only the part that needs it: after a scroll the strip that came into view, after an
    // edit the changed cell.
    LayoutCanvas& canvas = companion_.Canvas();
    const Rect window = LayoutWindow();
    for (const QRect& r : event->region()) {
        canvas.Paint(painter,
                     {window.left + r.left(), window.top + r.top(), window.left + r.right() + 1,
                      window.top + r.bottom() + 1},
                     r.topLeft());
    }
    if (pane_ == PicturePane) {
        PaintCellMarks(painter, QPoint(window.left, window.top), canvas.Geometry(),
                       companion_.MarkedCells());
        PaintFloatingSelection(painter, event->rect());
    }
    PaintToolPreview(painter);
}

void CLogicView::PaintCorner(QPainter& painter) {
    const CLogicDoc& doc = companion_.Document();
    CornerState state;
    state.title = QString::fromStdString(doc.Model().title);
    state.active = frameActive_;
    state.showPreview = companion_.ShowPreview();
    state.buttonPressed = captionButtonPressed_;
    DrawCorner(painter, size(), Look(), state,
               state.showPreview ? companion_.Canvas().Preview() : QImage());
}

void CLogicView::OnRegionChanged(int left, int top, int right, int bottom) {
    if (pane_ == CornerPane) {
        // Only the preview pixels, in the layout's top left W x H corner, concern the corner.
        const CLogicDoc& doc = companion_.Document();
        if (companion_.ShowPreview() && left < doc.columnCount() && top < doc.rowCount() &&
            right > 0 && bottom > 0)
            update(PreviewRect());
        return;
    }
    // A fill or a transform changes thousands of cells before the next paint; past a few dozen
    // rectangles one repaint of the whole pane costs less than collecting them all.
    if (pendingUpdates_ > kMaxPendingUpdates)
        return;
    const Rect window = LayoutWindow();
    const QRect changed =
        QRect(left - window.left, top - window.top, right - left, bottom - top) & rect();
    if (changed.isEmpty())
        return;
    if (++pendingUpdates_ > kMaxPendingUpdates) {
        update();
        return;
    }
    update(changed);
}

void CLogicView::OnLayoutReset() {
    UpdateScrollSizes();
    update();
}

void CLogicView::wheelEvent(QWheelEvent* event) {
    // Taken here in every pane, so that the wheel never scrolls the window area behind.
    event->accept();
    if (pane_ == CornerPane)
        return;
    const QPoint angle = event->angleDelta();
    int across = angle.x();
    int down = angle.y();
    if (event->modifiers() & Qt::ShiftModifier) {
        across = across != 0 ? across : down;
        down = 0;
    }
    // One notch of 120 scrolls as many cells as the desktop's wheel setting has lines.
    const int step = QApplication::wheelScrollLines() * companion_.Canvas().Geometry().cellSize();
    grid_.ScrollBy(pane_, -across * step / 120, -down * step / 120);
}

void CLogicView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::StyleChange)
        update();
}

}  // namespace tessemar
