#include "gui/view/CClueEditor.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/common/KeyCodes.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CLogicView.h"
#include "gui/view/CNumberBox.h"
#include "gui/view/CPaneGrid.h"
#include "gui/view/CViewCompanion.h"

#include <QApplication>
#include <QKeyEvent>

#include <utility>

namespace tessemar {
namespace {

// What a key is to the number box: one of the configured movement keys, a key of its own
// table, a key that edits the text (modifier keys alone included), or anything else.
BoxKey ClassifyKey(const QKeyEvent& key, const AppSettings& settings) {
    const int k = key.key();
    const std::pair<std::uint16_t, BoxKey> configured[] = {
        {settings.editKeyUp, BoxKey::MoveUp},
        {settings.editKeyDown, BoxKey::MoveDown},
        {settings.editKeyLeft, BoxKey::MoveLeft},
        {settings.editKeyRight, BoxKey::MoveRight},
    };
    for (const auto& [virtualKey, boxKey] : configured) {
        if (QtKeyFromVirtualKey(virtualKey) == k)
            return boxKey;
    }
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return BoxKey::Enter;
        case Qt::Key_Space:
            return BoxKey::Space;
        case Qt::Key_PageUp:
            return BoxKey::PageUp;
        case Qt::Key_PageDown:
            return BoxKey::PageDown;
        case Qt::Key_Up:
            return BoxKey::ArrowUp;
        case Qt::Key_Down:
            return BoxKey::ArrowDown;
        case Qt::Key_Backspace:
            return BoxKey::Backspace;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Insert:
        case Qt::Key_Delete:
            return BoxKey::Editing;
        default:
            break;
    }
    const bool digit = k >= Qt::Key_0 && k <= Qt::Key_9;
    const bool modifierAlone = k >= Qt::Key_Shift && k <= Qt::Key_ScrollLock;
    return digit || modifierAlone ? BoxKey::Editing : BoxKey::Other;
}

}  // namespace

CClueEditor::CClueEditor(CEditSession& session, CViewCompanion& companion, CPaneGrid& grid)
    : session_(session),
      companion_(companion),
      grid_(grid),
      box_(new CNumberBox(grid.View(RowCluePane))) {
    box_->hide();
    box_->keyFilter = [this](QKeyEvent& key) { return OnKey(key); };
    box_->focusLeft = [this] {
        if (open_ && !moving_)
            CloseNumberBox();
    };
    connect(box_, &QLineEdit::textEdited, this, [this] { session_.SetBoxUndoState(true); });
    // A new drawing of the whole layout has no slot to keep the box on.
    connect(&companion_.Canvas(), &LayoutCanvas::LayoutReset, this, &CClueEditor::DiscardNumberBox);
    // A deeper clue line or a resized pane moves the slots on the screen.
    connect(&companion_, &CViewCompanion::ScrollSizesChanged, this, &CClueEditor::Place);
    for (Pane pane : {CornerPane, ColumnCluePane, RowCluePane})
        grid_.View(pane)->installEventFilter(this);
}

CClueEditor::~CClueEditor() {
    box_->keyFilter = nullptr;
    box_->focusLeft = nullptr;
    delete box_;
}

std::optional<ClueSlot> CClueEditor::Slot() const {
    return open_ && !title_ ? std::optional<ClueSlot>(slot_) : std::nullopt;
}

Pane CClueEditor::BoxPane() const {
    if (title_)
        return CornerPane;
    return slot_.side == SideRow ? RowCluePane : ColumnCluePane;
}

void CClueEditor::OpenNumberBox(ClueSlot slot) {
    CloseNumberBox();
    CLogicDoc& doc = session_.Document();
    const bool inPuzzle =
        (slot.side == SideRow || slot.side == SideColumn) && doc.IsInPicture(slot.x, slot.y);
    if (doc.EditInProgress() || !inPuzzle)
        return;
    // What floats goes into the picture first: the stores must become entries of their own.
    doc.CommitFloatingSelection(session_.BackDrawMode());
    slot_ = SlotToOpen(doc.Model(), slot);
    title_ = false;
    const std::uint8_t number = doc.Model().ClueNumbers(slot_.side)[slot_.x][slot_.y];
    Show(BoxPane(), number == kEmptySlot ? QString() : QString::number(number));
}

void CClueEditor::OpenTitleBox() {
    CloseNumberBox();
    CLogicDoc& doc = session_.Document();
    if (doc.EditInProgress())
        return;
    title_ = true;
    Show(CornerPane, QString::fromStdString(doc.Model().title));
}

void CClueEditor::Show(Pane pane, const QString& text) {
    CLogicView* view = grid_.View(pane);
    moving_ = true;
    if (box_->parentWidget() != view)
        box_->setParent(view);
    box_->SetTitleMode(title_);
    box_->setFont(title_ ? view->Look().captionFont : companion_.Canvas().Style().Numbers().Font());
    // Setting the text also forgets the box's undo step and its modified mark.
    box_->setText(text);
    box_->selectAll();
    open_ = true;
    session_.SetBoxOpen(true, title_);
    if (!title_)
        ScrollIntoView(slot_);
    Place();
    box_->show();
    box_->raise();
    box_->setFocus(Qt::OtherFocusReason);
    moving_ = false;
}

void CClueEditor::Hide() {
    open_ = false;
    session_.SetBoxOpen(false);
    moving_ = true;
    box_->hide();
    moving_ = false;
}

void CClueEditor::CloseNumberBox() {
    if (!open_)
        return;
    if (box_->isModified())
        StoreNumberBox();
    Hide();
}

void CClueEditor::DiscardNumberBox() {
    if (open_)
        Hide();
}

void CClueEditor::StoreNumberBox() {
    CLogicDoc& doc = session_.Document();
    const std::string text = box_->text().toStdString();
    if (title_) {
        doc.ChangeTitle(text);
        return;
    }
    const int lineLength = slot_.side == SideRow ? doc.columnCount() : doc.rowCount();
    const std::uint8_t number = ClueNumberFromText(text, lineLength);
    doc.SetClueNumber(slot_.side, slot_.x, slot_.y, number,
                      number == kEmptySlot ? 0 : session_.Color());
}

void CClueEditor::MoveNumberBox(int d) {
    if (!open_ || title_)
        return;
    const std::optional<ClueSlot> target =
        NumberBoxMoveTarget(session_.Document().Model(), slot_, d);
    if (!target)
        return;
    // The pane scrolls before the store changes anything in it: a scroll over a pending change
    // would repaint the whole pane instead of the strip that comes into view.
    ScrollIntoView(*target);
    OpenNumberBox(*target);
}

void CClueEditor::InsertAtBox(bool wholeLine) {
    if (!open_ || title_)
        return;
    const ClueSlot at = slot_;
    CLogicDoc& doc = session_.Document();
    CloseNumberBox();
    if (wholeLine)
        doc.InsertClueLine(at.side, at.x, at.y);
    else
        doc.InsertClueSlot(at.side, at.x, at.y);
    OpenNumberBox(at);
}

void CClueEditor::DeleteAtBox(bool wholeLine) {
    if (!open_ || title_)
        return;
    const ClueSlot at = slot_;
    DeleteSlotAt(at, wholeLine);
    OpenNumberBox(at);
}

void CClueEditor::DeleteSlotAt(ClueSlot at, bool wholeLine) {
    DiscardNumberBox();
    CLogicDoc& doc = session_.Document();
    if (wholeLine)
        doc.DeleteClueLine(at.side, at.x, at.y);
    else
        doc.DeleteClueSlot(at.side, at.x, at.y);
}

bool CClueEditor::OnKey(QKeyEvent& key) {
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (title_) {
        if (enter)
            CloseNumberBox();
        return enter;
    }
    // Keys with Ctrl or Alt that reach the box are its own editing keys (copy, paste, ...).
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const ClueSlot at = slot_;
    const BoxKeyAction action =
        ActionForBoxKey(ClassifyKey(key, session_.Settings()), at, box_->text().isEmpty(),
                        session_.Settings().shiftDirection);
    switch (action.kind) {
        case BoxKeyAction::Pass:
            return false;
        case BoxKeyAction::Beep:
            QApplication::beep();
            break;
        case BoxKeyAction::Store:
            CloseNumberBox();
            break;
        case BoxKeyAction::Move:
            MoveNumberBox(action.d);
            break;
        case BoxKeyAction::StoreAndInsert: {
            // The number and the room made for the next one are one step of the history, so
            // that Undo takes back one typed number at a time.
            DocumentEdit edit(session_.Document());
            CloseNumberBox();
            session_.Document().InsertClueSlot(at.side, at.x, at.y);
            edit.Commit();
            OpenNumberBox(at);
            break;
        }
        case BoxKeyAction::DeleteSlot:
            DeleteSlotAt(at, false);
            if (const auto target =
                    action.d != 0 ? NumberBoxMoveTarget(session_.Document().Model(), at, action.d)
                                  : std::nullopt)
                OpenNumberBox(*target);
            break;
    }
    return true;
}

void CClueEditor::Place() {
    if (!open_)
        return;
    CLogicView* view = grid_.View(BoxPane());
    if (title_) {
        const int captionHeight = view->Look().captionHeight;
        box_->setGeometry(1, 1, std::max(1, view->width() - captionHeight - 1), captionHeight);
        return;
    }
    box_->setGeometry(SlotRect(*view, slot_));
}

QRect CClueEditor::SlotRect(const CLogicView& view, ClueSlot slot) const {
    // A box of cellSize + 3 pixels over the slot's number.
    const LayoutGeometry& geometry = companion_.Canvas().Geometry();
    const int line = slot.side == SideRow ? slot.y : slot.x;
    const Rect number = geometry.ClueBox(slot.side, line, slot.Slot());
    const Rect window = view.LayoutWindow();
    const int size = geometry.cellSize() + 3;
    return {number.left - 2 - window.left, number.top - 2 - window.top, size, size};
}

void CClueEditor::ScrollIntoView(ClueSlot slot) {
    const Pane pane = slot.side == SideRow ? RowCluePane : ColumnCluePane;
    const CLogicView& view = *grid_.View(pane);
    const QRect box = SlotRect(view, slot);
    const auto overhang = [](int low, int high, int extent) {
        return low < 0 ? low : high > extent ? high - extent : 0;
    };
    const int dx = overhang(box.left(), box.right() + 1, view.width());
    const int dy = overhang(box.top(), box.bottom() + 1, view.height());
    if (dx != 0 || dy != 0)
        grid_.ScrollBy(pane, dx, dy);
}

bool CClueEditor::BoxCanUndo() const {
    return open_ && box_->isUndoAvailable();
}

bool CClueEditor::BoxCanRedo() const {
    return open_ && box_->isRedoAvailable();
}

void CClueEditor::UndoInBox() {
    box_->undo();
}

void CClueEditor::RedoInBox() {
    box_->redo();
}

bool CClueEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && open_ && watched == grid_.View(BoxPane()))
        Place();
    return QObject::eventFilter(watched, event);
}

}  // namespace tessemar
