#include "core/document/CLogicDoc.h"

#include "core/document/Archive.h"

namespace tessemar {

CLogicDoc::CLogicDoc(const DocumentDefaults& defaults) { OnNewDocument(defaults); }

void CLogicDoc::OnNewDocument(const DocumentDefaults& defaults) {
    // The arrays hold 250 x 250 whatever the defaults say.
    const DocumentDefaults builtIn;
    const DocumentDefaults& sized =
        IsValidPuzzleSize(defaults.columnCount, defaults.rowCount, defaults.cellSize) ? defaults : builtIn;
    model_.formatVersion = {1, 0};
    model_.columnCount = sized.columnCount;
    model_.rowCount = sized.rowCount;
    model_.cellSize = sized.cellSize;
    model_.ClearArrays();
    model_.colors = defaults.colors;
    model_.shadowColors = defaults.shadowColors;
    model_.title = defaults.title;
    model_.fontFaceName = defaults.fontFaceName;
    model_.fontWeight = defaults.fontWeight;
    NotifyLayoutChanged();
    NotifyTitleChanged();
}

void CLogicDoc::ReplaceModel(const PuzzleModel& model) {
    model_ = model;
    NotifyLayoutChanged();
    NotifyTitleChanged();
}

namespace {

// Indices of the fixed arrays; anything else would write outside them.
bool InArrays(int a, int b) { return a >= 0 && b >= 0 && a < kMaxLines && b < kMaxLines; }

}  // namespace

void CLogicDoc::SetCell(int x, int y, std::int8_t value) {
    if (!InArrays(x, y) || model_.cells[x][y] == value) return;
    model_.cells[x][y] = value;
    SetModifiedFlag();
    Notify([x, y](DocumentObserver& o) { o.OnCellChanged(x, y); });
}

void CLogicDoc::SetClueNumber(int side, int i, int j, int number, int colour) {
    std::uint8_t* numberSlot;
    std::uint8_t* colourSlot;
    if (!InArrays(i, j)) return;
    if (side == SideRow) {
        numberSlot = &model_.rowClueNumbers[i][j];
        colourSlot = &model_.rowClueColors[i][j];
    } else if (side == SideColumn) {
        numberSlot = &model_.columnClueNumbers[i][j];
        colourSlot = &model_.columnClueColors[i][j];
    } else {
        return;
    }
    const auto newNumber = static_cast<std::uint8_t>(number);
    const auto newColour = static_cast<std::uint8_t>(colour);
    if (*numberSlot == newNumber && *colourSlot == newColour) return;
    RecordUndo(side, i, j, newNumber, *numberSlot, newColour, *colourSlot);
    *numberSlot = newNumber;
    *colourSlot = newColour;
    SetModifiedFlag();
    Notify([side, i, j](DocumentObserver& o) { o.OnClueSlotChanged(side, i, j); });
}

void CLogicDoc::SetPuzzleSize(int columns, int rows) {
    model_.columnCount = columns;
    model_.rowCount = rows;
    SetModifiedFlag();
    NotifyLayoutChanged();
}

void CLogicDoc::SetCellSize(int cellSize) {
    if (model_.cellSize == cellSize) return;
    model_.cellSize = cellSize;
    NotifyLayoutChanged();
}

void CLogicDoc::ClearAllNumbers() {
    const int w = model_.columnCount;
    const int h = model_.rowCount;
    for (int y = 0; y < h; ++y) {
        for (int k = 0; k < w; ++k) SetClueNumber(SideRow, k, y, kEmptySlot, 0);
    }
    for (int x = 0; x < w; ++x) {
        for (int k = 0; k < h; ++k) SetClueNumber(SideColumn, x, k, kEmptySlot, 0);
    }
}

std::string CLogicDoc::GetDocumentFileName() const {
    const std::string& path = GetPathName();
    if (path.empty()) return GetTitle();
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::int64_t CLogicDoc::GetFileSizeEstimate() const {
    const int w = model_.columnCount;
    const int h = model_.rowCount;
    std::int64_t numbers = 0;
    for (int y = 0; y < h; ++y) numbers += model_.RowClueLength(y);
    for (int x = 0; x < w; ++x) numbers += model_.ColumnClueLength(x);
    return 109 + ArchiveStringSize(model_.title.size()) + ArchiveStringSize(model_.fontFaceName.size()) +
           (h + w + numbers) + (numbers + 1) / 2 + (static_cast<std::int64_t>(w) * h + 1) / 2;
}

void CLogicDoc::NotifyLayoutChanged() const {
    Notify([](DocumentObserver& o) { o.OnLayoutChanged(); });
}

void CLogicDoc::NotifyTitleChanged() const {
    Notify([](DocumentObserver& o) { o.OnTitleChanged(); });
}

void CLogicDoc::NotifySelectionChanged() const {
    Notify([](DocumentObserver& o) { o.OnSelectionChanged(); });
}

}  // namespace tessemar
