// CLogicView's mouse and keys: the picture tools, the selection frame and the margins, the
// pointer and the position texts, the corner's caption button; and what is drawn over the
// picture (the floating fragment, the rubber band and the line preview).
#include "gui/view/CLogicView.h"

#include "core/document/CLogicDoc.h"
#include "core/text/StringTable.h"
#include "gui/common/UiText.h"
#include "gui/view/CClueEditor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"
#include "gui/view/Cursors.h"
#include "render/SelectionTracker.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tessemar {
namespace {

MouseButton ToButton(Qt::MouseButton button) {
    return button == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
}

QString PositionText(CellPoint cell) {
    return QStringLiteral("(%1, %2)").arg(cell.x + 1).arg(cell.y + 1);
}

}  // namespace

CPictureTools* CLogicView::Tools() const {
    CEditSession* session = companion_.Session();
    return pane_ == PicturePane && session != nullptr ? &session->Tools() : nullptr;
}

std::optional<CellPoint> CLogicView::CellAt(QPoint point, bool followMouse) const {
    const HitResult hit =
        HitTest(pane_, companion_.Canvas().Geometry(), View(), point.x(), point.y(), followMouse);
    if (hit.region != RegionPicture && !(followMouse && hit.x != -1))
        return std::nullopt;
    return CellPoint{hit.x, hit.y};
}

QRect CLogicView::BlockRect(CellPoint a, CellPoint b) const {
    const LayoutGeometry& geometry = companion_.Canvas().Geometry();
    const Rect window = LayoutWindow();
    const Rect block = geometry.GetCellRect(a.x, a.y, b.x, b.y, window.left - geometry.clueAreaWidth(),
                                            window.top - geometry.clueAreaHeight());
    return QRect(block.left, block.top, block.Width(), block.Height());
}

QRect CLogicView::PreviewBounds() const {
    const CPictureTools* tools = Tools();
    const auto preview = tools ? tools->CurrentPreview() : std::nullopt;
    if (!preview)
        return {};
    const LayoutGeometry& geometry = companion_.Canvas().Geometry();
    const auto clamped = [&](CellPoint p) {
        return CellPoint{std::clamp(p.x, 0, geometry.columnCount() - 1), std::clamp(p.y, 0, geometry.rowCount() - 1)};
    };
    // The rubber band stands on the grid lines around the block.
    return BlockRect(clamped(preview->anchor), clamped(preview->current)).adjusted(-2, -2, 3, 3);
}

QRect CLogicView::SelectionBounds() const {
    const CLogicDoc& doc = companion_.Document();
    if (!doc.HasFloatingSelection())
        return {};
    const CellRect& cells = doc.SelectionRect();
    return BlockRect({cells.x1, cells.y1}, {cells.x2, cells.y2});
}

void CLogicView::PaintFloatingSelection(QPainter& painter, const QRect& dirty) {
    const CLogicDoc& doc = companion_.Document();
    const QRect bounds = SelectionBounds();
    const QRect shown = bounds & dirty;
    if (shown.isEmpty())
        return;
    // The fragment floats above the picture where it lies now; cells beyond the picture are not
    // shown.
    QImage layer(shown.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const Rect window = LayoutWindow();
    const CEditSession* session = companion_.Session();
    const CellRect& cells = doc.SelectionRect();
    PaintFragment(layer, QPoint(window.left + shown.left(), window.top + shown.top()), companion_.Canvas().Style(),
                  doc.FloatingSelection(), cells.Left(), cells.Top(), session == nullptr || session->BackDrawMode() != 0);
    painter.drawImage(shown.topLeft(), layer);
    if (session != nullptr && session->Tool() == ToolSelect)
        DrawTracker(painter, bounds);
}

void CLogicView::PaintToolPreview(QPainter& painter) {
    const CPictureTools* tools = Tools();
    const auto preview = tools ? tools->CurrentPreview() : std::nullopt;
    if (!preview)
        return;
    if (preview->tool == ToolStraightLine) {
        const Rect window = LayoutWindow();
        PaintLinePreview(painter, QPoint(window.left, window.top), companion_.Canvas().Geometry(), preview->anchor,
                         preview->current);
        return;
    }
    // A rubber band around the block the rectangle will fill or the selection will take.
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(PreviewBounds().adjusted(2, 2, -3, -3));
    painter.restore();
}

std::optional<CLogicView::Margin> CLogicView::MarginAt(QPoint point) const {
    const LayoutGeometry& geometry = companion_.Canvas().Geometry();
    const PixelPoint layout = PaneToLayout(pane_, geometry, View(), point.x(), point.y());
    const PixelSize bitmap = geometry.BitmapSize();
    const int column = geometry.PictureColumnAt(layout.x);
    const int row = geometry.PictureRowAt(layout.y);
    const int w = geometry.columnCount();
    const int h = geometry.rowCount();
    if (pane_ != PicturePane || layout.x >= bitmap.cx || layout.y >= bitmap.cy || column < 0 || row < 0 ||
        (column < w && row < h))
        return std::nullopt;
    // Right of the grid whole rows, below it whole columns, beyond both everything.
    Margin margin;
    margin.anchor = {column >= w ? 0 : column, row >= h ? 0 : row};
    margin.current = {column >= w ? w - 1 : column, row >= h ? h - 1 : row};
    margin.cursorKind = column >= w && row >= h ? 20 : column >= w ? 21 : 22;
    if (margin.cursorKind == 20)
        margin.position = Text(text::IdsSelectAllPosition);
    else if (margin.cursorKind == 21)
        margin.position = FormatText(text::IdsRowNumber, {row + 1});
    else
        margin.position = FormatText(text::IdsColumnNumber, {column + 1});
    return margin;
}

bool CLogicView::PressMargin(QPoint point) {
    const std::optional<Margin> margin = MarginAt(point);
    return margin && Tools()->PressMargin(margin->anchor, margin->current);
}

int CLogicView::CursorKind(QPoint point, Qt::KeyboardModifiers keys) const {
    const LayoutGeometry& geometry = companion_.Canvas().Geometry();
    const HitResult hit = HitTest(pane_, geometry, View(), point.x(), point.y());
    if (hit.region == RegionRowClues || hit.region == RegionColumnClues)
        return 4;
    if (const std::optional<Margin> margin = MarginAt(point))
        return margin->cursorKind;
    const CEditSession* session = companion_.Session();
    if (hit.region != RegionPicture || session == nullptr)
        return 0;
    const int tool = session->Tool();
    if (tool == ToolSelect) {
        const int hitCode = TrackerHit(SelectionBounds(), point);
        return hitCode < 0 ? 9 : 10 + hitCode;
    }
    const int cell = companion_.Document().Cell(hit.x, hit.y);
    if (tool == ToolPaint)
        return cell == session->Color() ? -3 : 3;
    // What a left click would write: a colour paints, 0 erases.
    const bool paints = DragValue(MouseButton::Left, cell, session->Color(), keys & Qt::ControlModifier,
                                  keys & Qt::ShiftModifier) != 0;
    const int kind = tool == ToolPen ? 1 : 2;
    return paints ? kind : -kind;
}

QString CLogicView::PositionAt(QPoint point) const {
    const LayoutGeometry& geometry = companion_.Canvas().Geometry();
    const HitResult hit = HitTest(pane_, geometry, View(), point.x(), point.y());
    if (hit.region == RegionPicture)
        return PositionText({hit.x, hit.y});
    if (hit.region == RegionRowClues || hit.region == RegionColumnClues) {
        // A row slot is (slot, row), a column slot (column, slot); slots count from the picture.
        const bool row = hit.region == RegionRowClues;
        const QString line = row ? FormatText(text::IdsRowNumber, {hit.y + 1})
                                 : FormatText(text::IdsColumnNumber, {hit.x + 1});
        const std::string lineText = line.toStdString();
        return FormatText(text::IdsSlotPosition, {std::string_view(lineText), (row ? hit.x : hit.y) + 1});
    }
    if (const std::optional<Margin> margin = MarginAt(point))
        return margin->position;
    return QStringLiteral(" ");
}

void CLogicView::UpdatePointer(QPoint point, Qt::KeyboardModifiers keys) {
    if (pane_ == CornerPane)
        return;
    setCursor(CursorOfKind(CursorKind(point, keys)));
    const CPictureTools* tools = Tools();
    if (tools == nullptr || !tools->Dragging())
        emit companion_.PositionChanged(PositionAt(point), QStringLiteral(" "));
}

void CLogicView::ShowPosition(std::optional<CellPoint> cell) {
    const CPictureTools* tools = Tools();
    const auto drag = tools ? tools->CurrentDrag() : std::nullopt;
    if (drag) {
        const LayoutGeometry& geometry = companion_.Canvas().Geometry();
        const auto clamped = [&](CellPoint p) {
            return CellPoint{std::clamp(p.x, 0, geometry.columnCount() - 1),
                             std::clamp(p.y, 0, geometry.rowCount() - 1)};
        };
        const CellPoint a = clamped(drag->anchor);
        const CellPoint b = clamped(drag->current);
        emit companion_.PositionChanged(
            PositionText(a) + QStringLiteral(" - ") + PositionText(b),
            QStringLiteral("%1 x %2").arg(std::abs(b.x - a.x) + 1).arg(std::abs(b.y - a.y) + 1));
    } else {
        emit companion_.PositionChanged(cell ? PositionText(*cell) : QStringLiteral(" "),
                                        QStringLiteral(" "));
    }
}

bool CLogicView::PressForBox(const QMouseEvent& event) {
    CClueEditor* editor = companion_.Editor();
    if (editor == nullptr)
        return false;
    const QPoint p = event.position().toPoint();
    if (event.button() == Qt::LeftButton && pane_ != PicturePane) {
        if (pane_ == CornerPane && IsOnCornerCaptionTitle(width(), Look().captionHeight, p.x(), p.y())) {
            editor->OpenTitleBox();
            return true;
        }
        // The clue regions' codes are the clue sides.
        const HitResult hit = HitTest(pane_, companion_.Canvas().Geometry(), View(), p.x(), p.y());
        if (hit.region == RegionRowClues || hit.region == RegionColumnClues) {
            editor->OpenNumberBox({hit.region, hit.x, hit.y});
            return true;
        }
    }
    // A click elsewhere closes the box; the right button keeps the box of its own pane, for the
    // pane's menu to act on.
    if (!(event.button() == Qt::RightButton && editor->IsOpen() && editor->BoxPane() == pane_))
        editor->CloseNumberBox();
    return false;
}

void CLogicView::mousePressEvent(QMouseEvent* event) {
    if (PressForBox(*event))
        return;
    if (CPictureTools* tools = Tools()) {
        const QPoint point = event->position().toPoint();
        const std::optional<CellPoint> cell = CellAt(point, false);
        const Qt::KeyboardModifiers keys = event->modifiers();
        const bool onSelection = TrackerHit(SelectionBounds(), point) != -1;
        bool started = false;
        if (cell && (event->button() == Qt::LeftButton || event->button() == Qt::RightButton))
            started = tools->Press(*cell, ToButton(event->button()), keys & Qt::ControlModifier,
                                   keys & Qt::ShiftModifier, onSelection);
        else if (!cell && event->button() == Qt::LeftButton)
            started = PressMargin(point);
        if (started) {
            update(PreviewBounds());
            ShowPosition(cell);
        }
        return;
    }
    if (pane_ != CornerPane || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (IsOnCornerCaptionButton(width(), Look().captionHeight, p.x(), p.y())) {
        captionButtonPressed_ = true;
        update();
    }
}

void CLogicView::mouseMoveEvent(QMouseEvent* event) {
    CPictureTools* tools = Tools();
    if (tools == nullptr) {
        UpdatePointer(event->position().toPoint(), event->modifiers());
        QWidget::mouseMoveEvent(event);
        return;
    }
    // A line or a selection follows the pointer beyond the picture and is clipped there.
    const bool followMouse = tools->FollowsMouse();
    const std::optional<CellPoint> cell = CellAt(event->position().toPoint(), followMouse);
    if (tools->Dragging() && cell) {
        const QRect before = PreviewBounds();
        tools->Move(*cell, event->modifiers() & Qt::ShiftModifier);
        update(before.united(PreviewBounds()));
        ShowPosition(cell);
        return;
    }
    // The pointer's kind is decided only while no button is held.
    if (!tools->Dragging())
        UpdatePointer(event->position().toPoint(), event->modifiers());
}

void CLogicView::WatchModifierKeys() {
    // One watcher for the whole program: Ctrl and Shift change what a click would do, and the
    // pane under the mouse shows it at once, wherever the keyboard focus is.
    class Watch : public QObject {
      public:
        using QObject::QObject;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
                return false;
            const auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifier changed = key->key() == Qt::Key_Control ? Qt::ControlModifier
                                                 : key->key() == Qt::Key_Shift ? Qt::ShiftModifier
                                                                               : Qt::NoModifier;
            auto* view = qobject_cast<CLogicView*>(QApplication::widgetAt(QCursor::pos()));
            if (changed == Qt::NoModifier || view == nullptr)
                return false;
            // The event of a modifier key itself may or may not count it yet, depending on the
            // desktop: the press adds it and the release takes it away.
            Qt::KeyboardModifiers keys = key->modifiers();
            keys.setFlag(changed, event->type() == QEvent::KeyPress);
            view->UpdatePointer(view->mapFromGlobal(QCursor::pos()), keys);
            return false;
        }
    };
    static Watch* const watch = [] {
        auto* created = new Watch(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    (void)watch;
}

void CLogicView::mouseReleaseEvent(QMouseEvent* event) {
    if (CPictureTools* tools = Tools()) {
        if (!tools->Dragging())
            return;
        const bool followMouse = tools->FollowsMouse();
        const QRect preview = PreviewBounds();
        const auto dragged = tools->CurrentDrag();
        const std::optional<CellPoint> cell = CellAt(event->position().toPoint(), followMouse);
        const Qt::KeyboardModifiers keys = event->modifiers();
        tools->Release(cell.value_or(dragged->current), keys & Qt::ControlModifier,
                       keys & Qt::ShiftModifier);
        update(preview);
        UpdatePointer(event->position().toPoint(), event->modifiers());
        return;
    }
    if (pane_ != CornerPane || event->button() != Qt::LeftButton || !captionButtonPressed_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    captionButtonPressed_ = false;
    update();
    companion_.RequestShowPreviewToggle();
}

void CLogicView::contextMenuEvent(QContextMenuEvent* event) {
    if (companion_.Session() == nullptr) {
        QWidget::contextMenuEvent(event);
        return;
    }
    if (Tools() == nullptr) {
        event->accept();
        emit companion_.ContextMenuRequested(pane_ == CornerPane ? CornerMenu : ClueMenu, event->globalPos());
        return;
    }
    // Other tools draw with the right button: no menu may take their drag. The Select tool's
    // menu belongs to the picture itself.
    event->accept();
    if (companion_.Session()->Tool() == ToolSelect && CellAt(event->pos(), false))
        emit companion_.ContextMenuRequested(PictureMenu, event->globalPos());
}

}  // namespace tessemar
