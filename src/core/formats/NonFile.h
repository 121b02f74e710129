#pragma once

#include "core/document/PuzzleModel.h"
#include "core/formats/PuzzleFiles.h"

#include <string>
#include <string_view>

namespace tessemar {

// Reads a .non text puzzle into model, which brings whatever the file does not say. Keys are
// width, height (or "columns N" / "rows N"), title, the clue sections "rows" and "columns"
// (one line each, numbers separated by commas, "0" or a blank line for an empty line), the
// optional goal string and the colour extension: "color a #rrggbb" lines and numbers with the
// colour's letter ("3a"). A number without a letter has the first defined colour, or colour 1
// in a puzzle without colour lines. Colours the clues use become 1..8 in the order of their
// definitions. Other keys are ignored. Throws PuzzleFormatError naming the line of the first
// problem.
void ReadNon(std::string_view text, PuzzleModel& model, const PuzzleReadOptions& options = {});

// The puzzle as a .non file; colour puzzles with the colour extension, colour k written as
// the letter 'a' + k - 1.
std::string WriteNon(const PuzzleModel& model, const PuzzleWriteOptions& options = {});

}  // namespace tessemar
