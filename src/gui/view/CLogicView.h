#pragma once

#include "gui/view/PictureTools.h"
#include "render/CornerDrawing.h"
#include "render/ViewGeometry.h"

#include <QWidget>

#include <optional>

namespace tessemar {

class CPaneGrid;
class CViewCompanion;

// One of the four panes of a document window. The picture and clue panes show their window of
// the layout canvas and repaint only what changed; the corner pane shows the caption with the
// puzzle title, the preview and the caption button that switches the preview.
//
// A pane has no scroll bars of its own: its scroll position is that of the bars its grid
// shares between the panes of a row or a column.
class CLogicView : public QWidget {
    Q_OBJECT
  public:
    CLogicView(CViewCompanion& companion, CPaneGrid& grid, Pane pane);

    CViewCompanion& Companion() const { return companion_; }

    // Client size, scroll position and scroll size, as the geometry functions take them.
    PaneView View() const;
    // The layout rectangle the client area shows.
    Rect LayoutWindow() const;
    PixelSize ScrollExtent() const { return scrollExtent_; }

    // Takes the scroll size from the layout and the used clue depth; true when it changed.
    bool UpdateScrollSizes();
    // Moves what is on screen by the change of the scroll position and paints only what comes
    // into view. The corner pane does not scroll.
    void ScrollContents(int dx, int dy);

    // The corner's caption follows the activation of the document window.
    void SetFrameActive(bool active);
    bool CaptionButtonPressed() const { return captionButtonPressed_; }
    // The desktop look the corner is drawn with.
    CornerLook Look() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void OnRegionChanged(int left, int top, int right, int bottom);
    void OnLayoutReset();
    void PaintCorner(QPainter& painter);
    QRect PreviewRect() const;
    // The picture pane's drawing tools, when the window edits; null in the other panes.
    CPictureTools* Tools() const;
    // The picture cell under a pane point; with followMouse points off the picture give cells
    // beyond it too.
    std::optional<CellPoint> CellAt(QPoint point, bool followMouse) const;
    // The block of cells between two corners, in pane coordinates.
    QRect BlockRect(CellPoint a, CellPoint b) const;
    // Where the rectangle's rubber band or the line's preview stands, in pane coordinates.
    QRect PreviewBounds() const;
    void PaintToolPreview(QPainter& painter);
    // Where the floating fragment lies, in pane coordinates; empty when nothing floats.
    QRect SelectionBounds() const;
    void PaintFloatingSelection(QPainter& painter, const QRect& dirty);
    // The picture pane's margin beside the grid: what a left press there selects (whole rows
    // right of the grid, whole columns below it, everything beyond both), its pointer and text.
    struct Margin {
        CellPoint anchor;
        CellPoint current;
        int cursorKind = 0;
        QString position;
    };
    std::optional<Margin> MarginAt(QPoint point) const;
    // A press opens the in-place box on a clue slot or the corner's caption, and closes it
    // anywhere else; true when the press opened a box.
    bool PressForBox(const QMouseEvent& event);
    bool PressMargin(QPoint point);
    // The pointer's kind (see CursorOfKind) and the position pane's text at a pane point.
    int CursorKind(QPoint point, Qt::KeyboardModifiers keys) const;
    QString PositionAt(QPoint point) const;
    void UpdatePointer(QPoint point, Qt::KeyboardModifiers keys);
    static void WatchModifierKeys();
    void ShowPosition(std::optional<CellPoint> cell);

    CViewCompanion& companion_;
    CPaneGrid& grid_;
    const Pane pane_;
    // Until the first update the pane has not asked for a scroll size.
    PixelSize scrollExtent_{100, 100};
    bool frameActive_ = true;
    bool captionButtonPressed_ = false;
    // Changed rectangles asked for since the last paint; past the limit the whole pane is.
    static constexpr int kMaxPendingUpdates = 64;
    int pendingUpdates_ = 0;
};

}  // namespace tessemar
