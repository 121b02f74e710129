#include "core/document/CLogicDoc.h"

#include "core/document/Archive.h"

#include <algorithm>

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

void CLogicDoc::PutCell(int x, int y, std::int8_t value) {
    if (!InArrays(x, y) || model_.cells[x][y] == value) return;
    model_.cells[x][y] = value;
    SetModifiedFlag();
    Notify([x, y](DocumentObserver& o) { o.OnCellChanged(x, y); });
}

void CLogicDoc::PutClueSlot(int side, int i, int j, std::uint8_t number, std::uint8_t colour) {
    auto& numbers = model_.ClueNumbers(side);
    auto& colours = model_.ClueColors(side);
    if (numbers[i][j] == number && colours[i][j] == colour) return;
    numbers[i][j] = number;
    colours[i][j] = colour;
    SetModifiedFlag();
    Notify([side, i, j](DocumentObserver& o) { o.OnClueSlotChanged(side, i, j); });
}

void CLogicDoc::PutSize(int columns, int rows, int cellSize) {
    model_.columnCount = columns;
    model_.rowCount = rows;
    model_.cellSize = cellSize;
    SetModifiedFlag();
    NotifyLayoutChanged();
}

void CLogicDoc::PutTitle(std::string title) {
    model_.title = std::move(title);
    NotifyTitleChanged();
}

bool CLogicDoc::WriteCell(int x, int y, int value) {
    if (!IsInPicture(x, y) || !IsCellValue(value)) return false;
    const std::int8_t old = model_.cells[x][y];
    if (old == value) return false;
    AsEdit([&] {
        RecordUndo(UndoCell, x, y, value, old, 0, 0);
        PutCell(x, y, static_cast<std::int8_t>(value));
    });
    return true;
}

void CLogicDoc::SetClueNumber(int side, int i, int j, int number, int colour) {
    if (!InArrays(i, j) || (side != SideRow && side != SideColumn)) return;
    const auto& numbers = model_.ClueNumbers(side);
    const auto& colours = model_.ClueColors(side);
    const auto newNumber = static_cast<std::uint8_t>(number);
    const auto newColour = static_cast<std::uint8_t>(colour);
    if (numbers[i][j] == newNumber && colours[i][j] == newColour) return;
    AsEdit([&] {
        RecordUndo(side, i, j, newNumber, numbers[i][j], newColour, colours[i][j]);
        PutClueSlot(side, i, j, newNumber, newColour);
    });
}

void CLogicDoc::ClearAllNumbers() {
    DocumentEdit edit(*this);
    const int w = model_.columnCount;
    const int h = model_.rowCount;
    for (int y = 0; y < h; ++y) {
        for (int k = 0; k < w; ++k) SetClueNumber(SideRow, k, y, kEmptySlot, 0);
    }
    for (int x = 0; x < w; ++x) {
        for (int k = 0; k < h; ++k) SetClueNumber(SideColumn, x, k, kEmptySlot, 0);
    }
    edit.Commit();
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

void CLogicDoc::NotifyHistoryChanged() const {
    Notify([](DocumentObserver& o) { o.OnHistoryChanged(); });
}

}  // namespace tessemar
