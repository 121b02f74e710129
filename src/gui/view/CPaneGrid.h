#pragma once

#include "render/ViewGeometry.h"

#include <QWidget>

#include <array>

class QScrollBar;

namespace tessemar {

class CLogicView;
class CViewCompanion;

// The client of a document window: four panes in two rows and two columns, with handles that
// move the boundary between the rows and between the columns, one horizontal scroll bar under
// each column and one vertical scroll bar beside each row. A bar belongs to all panes of its
// column or row, so scrolling the picture scrolls the column clues across and the row clues
// down with it. The corner pane ignores its bars.
class CPaneGrid : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kInitialFirstSize = 100;
    static constexpr int kInitialSecondSize = 200;
    static constexpr int kMinimumPaneSize = 1;

    explicit CPaneGrid(CViewCompanion& companion, QWidget* parent = nullptr);

    CLogicView* View(Pane pane) const { return views_[static_cast<std::size_t>(pane)]; }
    QScrollBar* HorizontalScrollBar(int column) const;
    QScrollBar* VerticalScrollBar(int row) const;

    // The scroll position of a pane: its column's horizontal bar and its row's vertical bar.
    // The corner pane stays at (0, 0).
    PixelPoint ScrollPosition(Pane pane) const;
    void ScrollTo(Pane pane, PixelPoint position);
    // Scrolls a pane's bars by whole pixels, as the mouse wheel does.
    void ScrollBy(Pane pane, int dx, int dy);

    void SetFirstRowHeight(int height);
    void SetFirstColumnWidth(int width);

    // The ranges of the bars from the panes' scroll sizes and client sizes.
    void UpdateScrollBars();
    // Scroll sizes of all panes, then the clue panes scrolled so that the slots next to the
    // picture show. Done once, when the grid is first shown.
    void InitialUpdate();

    QSize sizeHint() const override;
    // The size that shows the whole picture side (grid and graduation margin) beside the clue
    // panes at their current widths, with the scroll bars.
    QSize ContentSize() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void DoLayout();
    void OnBarMoved(Qt::Orientation orientation, int index, int value);
    int SplitterSize() const;
    int ScrollBarExtent() const;

    CViewCompanion& companion_;
    std::array<CLogicView*, 4> views_{};
    std::array<QScrollBar*, 2> horizontalBars_{};
    std::array<QScrollBar*, 2> verticalBars_{};
    // The value each bar's panes were last scrolled to, to move their pixels by the difference.
    std::array<int, 2> horizontalShown_{};
    std::array<int, 2> verticalShown_{};
    QWidget* columnHandle_ = nullptr;
    QWidget* rowHandle_ = nullptr;
    int firstRow_ = kInitialFirstSize;
    int firstColumn_ = kInitialFirstSize;
    bool initialUpdateDone_ = false;
};

}  // namespace tessemar
