#include "gui/view/CViewCompanion.h"

#include "core/settings/AppSettings.h"

#include <QTimer>

namespace tessemar {

CViewCompanion::CViewCompanion(CLogicDoc& document, QObject* parent)
    : QObject(parent), document_(document) {
    document_.AddObserver(this);
    canvas_ = std::make_unique<LayoutCanvas>(document_);
    usedDepth_ = GetUsedClueDepth(document_.Model());
}

CViewCompanion::~CViewCompanion() {
    canvas_.reset();
    document_.RemoveObserver(this);
}

void CViewCompanion::ApplyViewSettings(const AppSettings& settings) {
    canvas_->SetOptions({settings.boldLine != 0, settings.graduateNumber != 0});
    const bool show = settings.showPreview != 0;
    if (show != showPreview_) {
        showPreview_ = show;
        emit ShowPreviewChanged(show);
    }
}

void CViewCompanion::SetUsedDepth(std::pair<int, int> depth) {
    if (depth == usedDepth_)
        return;
    usedDepth_ = depth;
    emit ScrollSizesChanged();
}

void CViewCompanion::ScheduleDepthRecount() {
    // A command may empty thousands of slots; the lines are counted once after it.
    if (recountPending_)
        return;
    recountPending_ = true;
    QTimer::singleShot(0, this, [this] {
        recountPending_ = false;
        SetUsedDepth(GetUsedClueDepth(document_.Model()));
    });
}

void CViewCompanion::SetMarkedCells(std::vector<CellPoint> cells) {
    markedCells_ = std::move(cells);
    emit MarkedCellsChanged();
}

void CViewCompanion::ClearMarkedCells() {
    if (markedCells_.empty())
        return;
    markedCells_.clear();
    emit MarkedCellsChanged();
}

void CViewCompanion::OnCellChanged(int, int) {
    ClearMarkedCells();
}

void CViewCompanion::OnClueSlotChanged(int side, int i, int j) {
    ClearMarkedCells();
    const PuzzleModel& model = document_.Model();
    // Row slots are addressed (slot, row), column slots (column, slot).
    const bool row = side == SideRow;
    const int slot = row ? i : j;
    const int line = row ? j : i;
    if (slot < 0 || line < 0 || slot >= kMaxLines || line >= kMaxLines)
        return;
    const int depthLimit = row ? model.columnCount : model.rowCount;
    const int lineLimit = row ? model.rowCount : model.columnCount;
    const std::uint8_t number = model.ClueNumbers(side)[i][j];
    const int used = row ? usedDepth_.first : usedDepth_.second;
    if (number != kEmptySlot) {
        // A deeper number widens the clue pane at once, before the slot is painted.
        if (slot < depthLimit && line < lineLimit && slot + 1 > used) {
            std::pair<int, int> depth = usedDepth_;
            (row ? depth.first : depth.second) = slot + 1;
            SetUsedDepth(depth);
        }
    } else if (slot + 1 >= used) {
        ScheduleDepthRecount();
    }
}

void CViewCompanion::OnLayoutChanged() {
    ClearMarkedCells();
    usedDepth_ = GetUsedClueDepth(document_.Model());
}

void CViewCompanion::OnTitleChanged() {
    emit TitleChanged();
}

}  // namespace tessemar
