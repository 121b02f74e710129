#pragma once

#include "core/document/Colors.h"

#include <cstdint>
#include <string>

namespace tessemar {

inline constexpr int kMaxLines = 250;    // columns and rows of the fixed arrays
inline constexpr int kMinCellSize = 11;  // cell pitch in pixels
inline constexpr int kMaxCellSize = 51;
inline constexpr int kMaxFontWeight = 1000;

// The only puzzle sizes a document takes, from any source: files, settings, dialogs, undo.
constexpr bool IsValidPuzzleSize(int columns, int rows, int cellSize) {
    return columns >= 1 && columns <= kMaxLines && rows >= 1 && rows <= kMaxLines &&
           cellSize >= kMinCellSize && cellSize <= kMaxCellSize;
}

// What a new document is made from: the settings file's section Default, or these.
struct DocumentDefaults {
    ColorTable colors = kDefaultColors;
    ColorTable shadowColors = kDefaultShadowColors;
    std::int32_t columnCount = 15;  // key "Row": the number of cells across
    std::int32_t rowCount = 15;     // key "Col": the number of cells down
    std::int32_t cellSize = 17;
    std::string fontFaceName = "Arial";
    std::int32_t fontWeight = 700;
    std::string title = "Untitled";
};

}  // namespace tessemar
