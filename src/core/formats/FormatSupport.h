#pragma once

#include "core/document/PuzzleModel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the readers and writers of the community formats share: clue lines in the reading
// order those formats use, colour usage, colour values as hex text.
namespace tessemar::formats {

// One number of a clue line with its colour index 1..8.
struct Clue {
    int number = 0;
    int colour = 1;
};

// A clue line as the community formats list it: left to right for a row, top to bottom for a
// column, so the number next to the picture comes last. Only the slots that take part in
// solving are listed (number 1..250, colour 1..8).
std::vector<Clue> ClueLineInReadingOrder(const PuzzleModel& model, ClueSide side, int index);

// Stores a clue line given in reading order: the last number goes into slot 0. Zero numbers
// are dropped; a line without numbers becomes the empty-line mark (0 of colour 1 in slot 0),
// as computed clues have it. The caller has cleared the arrays and checked the capacity.
void StoreClueLine(PuzzleModel& model, ClueSide side, int index, const std::vector<Clue>& line);

// Which colour indices 1..8 the clue lines of the current size use; with picture, also those
// of the cells.
std::array<bool, 9> UsedColours(const PuzzleModel& model, bool picture);

// True when some cell of the current size holds a colour.
bool PictureHasFill(const PuzzleModel& model);

// "RRGGBB" or "RGB" (each digit doubled) in hex digits of either case; nullopt otherwise.
std::optional<ColorRef> ParseHexColour(std::string_view text);
// "rrggbb" in lower-case hex digits.
std::string FormatHexColour(ColorRef colour);

// A clue number: decimal digits only, at most 250 (a larger run fits no puzzle). nullopt for
// anything else.
std::optional<int> ParseClueNumber(std::string_view text);

std::string_view Trim(std::string_view text);

}  // namespace tessemar::formats
