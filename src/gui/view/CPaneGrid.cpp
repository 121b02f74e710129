#include "gui/view/CPaneGrid.h"

#include "gui/view/CLogicView.h"
#include "gui/view/CViewCompanion.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <functional>

namespace tessemar {
namespace {

constexpr std::array<Pane, 4> kPanes = {CornerPane, ColumnCluePane, RowCluePane, PicturePane};

// The bar between the two columns (Qt::Horizontal: it moves across) or the two rows. Dragging
// it moves the boundary live; the grid keeps it inside the window.
class SplitHandle : public QWidget {
  public:
    SplitHandle(Qt::Orientation orientation, std::function<void(int)> moved, QWidget* parent)
        : QWidget(parent), orientation_(orientation), moved_(std::move(moved)) {
        setCursor(orientation == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        if (orientation_ == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        dragging_ = true;
        grabOffset_ = Along(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (dragging_)
            moved_(Along(mapToParent(event->position().toPoint())) - grabOffset_);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            dragging_ = false;
    }

  private:
    int Along(QPoint p) const { return orientation_ == Qt::Horizontal ? p.x() : p.y(); }

    Qt::Orientation orientation_;
    std::function<void(int)> moved_;
    bool dragging_ = false;
    int grabOffset_ = 0;
};

}  // namespace

CPaneGrid::CPaneGrid(CViewCompanion& companion, QWidget* parent)
    : QWidget(parent), companion_(companion) {
    setAutoFillBackground(true);
    for (int i = 0; i < 2; ++i) {
        horizontalBars_[static_cast<std::size_t>(i)] = new QScrollBar(Qt::Horizontal, this);
        verticalBars_[static_cast<std::size_t>(i)] = new QScrollBar(Qt::Vertical, this);
        connect(horizontalBars_[static_cast<std::size_t>(i)], &QScrollBar::valueChanged, this,
                [this, i](int value) { OnBarMoved(Qt::Horizontal, i, value); });
        connect(verticalBars_[static_cast<std::size_t>(i)], &QScrollBar::valueChanged, this,
                [this, i](int value) { OnBarMoved(Qt::Vertical, i, value); });
    }
    for (Pane pane : kPanes)
        views_[static_cast<std::size_t>(pane)] = new CLogicView(companion_, *this, pane);
    columnHandle_ = new SplitHandle(
        Qt::Horizontal, [this](int x) { SetFirstColumnWidth(x); }, this);
    rowHandle_ = new SplitHandle(
        Qt::Vertical, [this](int y) { SetFirstRowHeight(y); }, this);
    DoLayout();
    for (CLogicView* view : views_)
        view->UpdateScrollSizes();
}

QScrollBar* CPaneGrid::HorizontalScrollBar(int column) const {
    return horizontalBars_[static_cast<std::size_t>(std::clamp(column, 0, 1))];
}

QScrollBar* CPaneGrid::VerticalScrollBar(int row) const {
    return verticalBars_[static_cast<std::size_t>(std::clamp(row, 0, 1))];
}

PixelPoint CPaneGrid::ScrollPosition(Pane pane) const {
    if (pane == CornerPane)
        return {0, 0};
    return {HorizontalScrollBar(PaneColumn(pane))->value(),
            VerticalScrollBar(PaneRow(pane))->value()};
}

void CPaneGrid::ScrollTo(Pane pane, PixelPoint position) {
    if (pane == CornerPane)
        return;
    HorizontalScrollBar(PaneColumn(pane))->setValue(position.x);
    VerticalScrollBar(PaneRow(pane))->setValue(position.y);
}

void CPaneGrid::ScrollBy(Pane pane, int dx, int dy) {
    const PixelPoint now = ScrollPosition(pane);
    ScrollTo(pane, {now.x + dx, now.y + dy});
}

void CPaneGrid::SetFirstRowHeight(int height) {
    firstRow_ = std::max(kMinimumPaneSize, height);
    DoLayout();
}

void CPaneGrid::SetFirstColumnWidth(int width) {
    firstColumn_ = std::max(kMinimumPaneSize, width);
    DoLayout();
}

int CPaneGrid::SplitterSize() const {
    return std::max(4, style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, this));
}

int CPaneGrid::ScrollBarExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QSize CPaneGrid::sizeHint() const {
    const int side = kInitialFirstSize + SplitterSize() + kInitialSecondSize + ScrollBarExtent();
    return {side, side};
}

QSize CPaneGrid::ContentSize() const {
    const PixelSize picture =
        ComputeScrollSize(PicturePane, companion_.Canvas().Geometry(), companion_.UsedClueDepth());
    const int extra = SplitterSize() + ScrollBarExtent();
    return {firstColumn_ + extra + picture.cx, firstRow_ + extra + picture.cy};
}

void CPaneGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DoLayout();
}

void CPaneGrid::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!initialUpdateDone_)
        InitialUpdate();
}

void CPaneGrid::DoLayout() {
    if (!views_[0])
        return;
    const int bar = ScrollBarExtent();
    const int split = SplitterSize();
    const int areaWidth = std::max(0, width() - bar);
    const int areaHeight = std::max(0, height() - bar);
    // A small window squeezes the second row or column first, but never below one pixel; the
    // first keeps the size the user gave it for when the window grows again.
    const int column0 =
        std::clamp(firstColumn_, kMinimumPaneSize,
                   std::max(kMinimumPaneSize, areaWidth - split - kMinimumPaneSize));
    const int row0 = std::clamp(firstRow_, kMinimumPaneSize,
                                std::max(kMinimumPaneSize, areaHeight - split - kMinimumPaneSize));
    const int column1 = std::max(kMinimumPaneSize, areaWidth - split - column0);
    const int row1 = std::max(kMinimumPaneSize, areaHeight - split - row0);
    const int x1 = column0 + split;
    const int y1 = row0 + split;

    View(CornerPane)->setGeometry(0, 0, column0, row0);
    View(ColumnCluePane)->setGeometry(x1, 0, column1, row0);
    View(RowCluePane)->setGeometry(0, y1, column0, row1);
    View(PicturePane)->setGeometry(x1, y1, column1, row1);
    columnHandle_->setGeometry(column0, 0, split, areaHeight);
    rowHandle_->setGeometry(0, row0, areaWidth, split);
    horizontalBars_[0]->setGeometry(0, areaHeight, column0, bar);
    horizontalBars_[1]->setGeometry(x1, areaHeight, column1, bar);
    verticalBars_[0]->setGeometry(areaWidth, 0, bar, row0);
    verticalBars_[1]->setGeometry(areaWidth, y1, bar, row1);
    UpdateScrollBars();
}

void CPaneGrid::UpdateScrollBars() {
    if (!views_[0])
        return;
    const int cellSize = companion_.Canvas().Geometry().cellSize();
    for (int index = 0; index < 2; ++index) {
        for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
            const bool horizontal = orientation == Qt::Horizontal;
            QScrollBar* bar = horizontal ? HorizontalScrollBar(index) : VerticalScrollBar(index);
            // The clue bars stay at the picture side once they are there, so that a pane that
            // grows deeper or smaller keeps the slots next to the picture in view.
            const bool pinned = index == 0 && bar->value() == bar->maximum();
            int range = 0;
            int client = 1;
            for (Pane pane : kPanes) {
                if (pane == CornerPane || (horizontal ? PaneColumn(pane) : PaneRow(pane)) != index)
                    continue;
                const CLogicView* view = View(pane);
                const int extent = horizontal ? view->ScrollExtent().cx : view->ScrollExtent().cy;
                client = horizontal ? view->width() : view->height();
                range = std::max(range, extent - client);
            }
            bar->setRange(0, range);
            bar->setPageStep(std::max(1, client));
            bar->setSingleStep(cellSize);
            bar->setEnabled(range > 0);
            if (pinned)
                bar->setValue(bar->maximum());
        }
    }
}

void CPaneGrid::InitialUpdate() {
    initialUpdateDone_ = true;
    for (CLogicView* view : views_)
        view->UpdateScrollSizes();
    UpdateScrollBars();
    for (Pane pane : {ColumnCluePane, RowCluePane})
        ScrollTo(pane, AlignClueScroll(pane, View(pane)->View()));
}

void CPaneGrid::OnBarMoved(Qt::Orientation orientation, int index, int value) {
    const bool horizontal = orientation == Qt::Horizontal;
    int& shown = horizontal ? horizontalShown_[static_cast<std::size_t>(index)]
                            : verticalShown_[static_cast<std::size_t>(index)];
    const int delta = value - shown;
    shown = value;
    if (delta == 0)
        return;
    for (Pane pane : kPanes) {
        if (pane == CornerPane || (horizontal ? PaneColumn(pane) : PaneRow(pane)) != index)
            continue;
        View(pane)->ScrollContents(horizontal ? delta : 0, horizontal ? 0 : delta);
    }
}

}  // namespace tessemar
