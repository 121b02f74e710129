#pragma once

#include "core/document/CLogicDoc.h"
#include "core/document/Drawing.h"
#include "render/LayoutCanvas.h"

#include <QObject>

#include <memory>
#include <utility>
#include <vector>

namespace tessemar {

struct AppSettings;
class CClueEditor;
class CEditSession;

// The menus of the panes' right button: the picture's under the Select tool, the clue panes'
// and the corner's.
enum PaneMenu : int { PictureMenu = 0, ClueMenu = 1, CornerMenu = 2 };

// What the four panes of one document window share besides the document: the layout canvas
// they paint from, how deep the clue lines are in use (it sets the scroll sizes of the clue
// panes), and the view settings. The document window owns it; the panes hold references.
//
// It listens to the document before the canvas does, so that when the canvas announces a
// changed clue slot the used depth already counts it.
class CViewCompanion : public QObject, public DocumentObserver {
    Q_OBJECT
  public:
    explicit CViewCompanion(CLogicDoc& document, QObject* parent = nullptr);
    ~CViewCompanion() override;
    CViewCompanion(const CViewCompanion&) = delete;
    CViewCompanion& operator=(const CViewCompanion&) = delete;

    CLogicDoc& Document() const { return document_; }
    LayoutCanvas& Canvas() const { return *canvas_; }

    // (used row slots, used column slots) as GetUsedClueDepth counts them.
    std::pair<int, int> UsedClueDepth() const { return usedDepth_; }

    // BoldLine and GraduateNumber redraw the layout; ShowPreview is read by the corner pane and
    // the commands.
    void ApplyViewSettings(const AppSettings& settings);
    bool ShowPreview() const { return showPreview_; }

    // The window's editing session, when the window edits (the document window sets it).
    CEditSession* Session() const { return session_; }
    void SetSession(CEditSession* session) { session_ = session; }
    // The window's in-place box, when the window edits.
    CClueEditor* Editor() const { return editor_; }
    void SetEditor(CClueEditor* editor) { editor_ = editor; }

    // Picture cells marked over the picture (the cells where two solutions differ) until the
    // next change of the document or ClearMarkedCells.
    void SetMarkedCells(std::vector<CellPoint> cells);
    void ClearMarkedCells();
    const std::vector<CellPoint>& MarkedCells() const { return markedCells_; }

    // The caption button and the preview command both only ask: the main frame owns the
    // setting and hands it back to every window.
    void RequestShowPreviewToggle() { emit ShowPreviewToggleRequested(); }

    // DocumentObserver
    void OnCellChanged(int x, int y) override;
    void OnClueSlotChanged(int side, int i, int j) override;
    void OnLayoutChanged() override;
    void OnTitleChanged() override;
    void OnSelectionChanged() override { emit SelectionChanged(); }

  signals:
    // The used clue depth changed, so the scroll sizes of the panes may have.
    void ScrollSizesChanged();
    void TitleChanged();
    // A fragment started or stopped floating, moved or changed.
    void SelectionChanged();
    void ShowPreviewChanged(bool show);
    void ShowPreviewToggleRequested();
    void MarkedCellsChanged();
    // The position and size panes' texts for the pointer over the picture or the drag in
    // progress; " " clears a pane.
    void PositionChanged(const QString& position, const QString& size);
    // A pane asks for its menu (a PaneMenu) at a desktop point.
    void ContextMenuRequested(int menu, const QPoint& globalPosition);

  private:
    void SetUsedDepth(std::pair<int, int> depth);
    void ScheduleDepthRecount();

    CLogicDoc& document_;
    std::unique_ptr<LayoutCanvas> canvas_;
    std::pair<int, int> usedDepth_{0, 0};
    bool recountPending_ = false;
    bool showPreview_ = true;
    CEditSession* session_ = nullptr;
    CClueEditor* editor_ = nullptr;
    std::vector<CellPoint> markedCells_;
};

}  // namespace tessemar
