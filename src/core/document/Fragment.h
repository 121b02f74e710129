#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar {

// A rectangle of cells given by two corners, as the selection keeps it.
struct CellRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    int Left() const { return std::min(x1, x2); }
    int Top() const { return std::min(y1, y2); }
    int Right() const { return std::max(x1, x2); }
    int Bottom() const { return std::max(y1, y2); }
    bool operator==(const CellRect&) const = default;
};

// Cell values a picture may hold: -1 (X mark), 0 (blank), 1..8 (colours).
constexpr bool IsCellValue(int value) { return value >= -1 && value <= 8; }

// A rectangular piece of picture that floats above the picture or travels through the
// clipboard; cells are kept row by row.
struct Fragment {
    int width = 0;
    int height = 0;
    std::vector<std::int8_t> cells;

    std::int8_t At(int i, int j) const { return cells[static_cast<std::size_t>(j) * width + i]; }
    bool operator==(const Fragment&) const = default;
};

// The byte form of a fragment, which is also the clipboard format: width, height, then the
// cells row by row.
std::string FragmentBytes(const Fragment& fragment);

// Reads a fragment from bytes that came from outside (the clipboard). A block without a width
// and a height, with either of them 0, or too short for its cells gives nothing; bytes after
// the cells are ignored. Cell values a picture cannot hold are read as blank.
std::optional<Fragment> ParseFragment(std::string_view bytes);

// The picture transforms; each works on a fragment.
enum class PictureTransform {
    MirrorColor,
    MirrorHorizontally,
    MirrorVertically,
    TurnLeft90,
    TurnRight90,
    Turn180,
    EraseXMarks,
};

// The transformed fragment. The turns swap width and height. MirrorColor swaps the drawing
// colour (1..8) with the background: that colour becomes blank, blank and X marks become that
// colour; with a colour outside 1..8 it changes nothing.
Fragment TransformFragment(const Fragment& fragment, PictureTransform transform, int color);

}  // namespace tessemar
