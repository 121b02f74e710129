#pragma once

#include "core/document/ClueEntry.h"
#include "render/ViewGeometry.h"

#include <QObject>
#include <QRect>

#include <optional>

class QKeyEvent;

namespace tessemar {

class CEditSession;
class CLogicView;
class CNumberBox;
class CPaneGrid;
class CViewCompanion;

// The window's one in-place box: a clue number typed over its slot in a clue pane, or the
// title typed over the corner's caption. What was typed goes into the document when the box
// closes (Enter, a move, a click elsewhere, a command, the focus going to another part of the
// window), each store one undo entry; only a new drawing of the whole layout throws it away.
// The box follows its slot when the panes scroll or change size.
class CClueEditor : public QObject {
    Q_OBJECT
  public:
    CClueEditor(CEditSession& session, CViewCompanion& companion, CPaneGrid& grid);
    ~CClueEditor() override;
    CClueEditor(const CClueEditor&) = delete;
    CClueEditor& operator=(const CClueEditor&) = delete;

    bool IsOpen() const { return open_; }
    bool IsTitle() const { return open_ && title_; }
    // The slot of the open number box; nothing while no number box is open.
    std::optional<ClueSlot> Slot() const;
    // The pane that shows the box.
    Pane BoxPane() const;
    CNumberBox& Box() const { return *box_; }

    // Closes an open box, then opens one on the slot (or where typing goes on from there,
    // scrolling it into view). Nothing opens while the document is busy with an edit of
    // someone else's, such as a solver run, nor on a slot outside the puzzle.
    void OpenNumberBox(ClueSlot slot);
    void OpenTitleBox();
    // Stores the text when it was changed, then closes the box.
    void CloseNumberBox();
    void DiscardNumberBox();
    // Stores, then opens the box on the neighbouring slot d (NumberBoxMoveTarget); where no
    // move is possible the box stays as it is.
    void MoveNumberBox(int d);
    // The slot and line commands at the box's slot: an insert stores the text first, a delete
    // throws it away; the box stays on its slot.
    void InsertAtBox(bool wholeLine);
    void DeleteAtBox(bool wholeLine);

    // The box's own change, which Undo and Redo take back and forth while it is open.
    bool BoxCanUndo() const;
    bool BoxCanRedo() const;
    void UndoInBox();
    void RedoInBox();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool OnKey(QKeyEvent& key);
    void StoreNumberBox();
    void Show(Pane pane, const QString& text);
    void Hide();
    void Place();
    // Where the box stands over a slot, in the coordinates of the slot's pane.
    QRect SlotRect(const CLogicView& view, ClueSlot slot) const;
    void ScrollIntoView(ClueSlot slot);
    void DeleteSlotAt(ClueSlot at, bool wholeLine);

    CEditSession& session_;
    CViewCompanion& companion_;
    CPaneGrid& grid_;
    CNumberBox* box_;
    bool open_ = false;
    bool title_ = false;
    ClueSlot slot_;
    // Set while the box itself changes place or goes, when the focus leaving it means nothing.
    bool moving_ = false;
};

}  // namespace tessemar
