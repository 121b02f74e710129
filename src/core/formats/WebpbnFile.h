#pragma once

#include "core/document/PuzzleModel.h"
#include "core/formats/PuzzleFiles.h"

#include <string>
#include <string_view>

namespace tessemar {

// Reads the first puzzle of a webpbn XML file into model, which brings whatever the file does
// not say (cell size, font, colours it does not use). The size follows from the number of
// clue lines; the background colour reads as blank and every other colour the clues use
// becomes colour 1..8 in the order of the definitions, with its RGB value and the Auto Shadow
// of it. The goal picture replaces the picture only when options ask for it; otherwise the
// picture is blank. Throws PuzzleFormatError naming the line of the first problem.
void ReadWebpbn(std::string_view text, PuzzleModel& model, const PuzzleReadOptions& options = {});

// The puzzle as a webpbn XML file: one-colour puzzles with the customary white and black,
// others with one colour definition per colour used; the picture as the goal when options ask
// for it and it has filled cells.
std::string WriteWebpbn(const PuzzleModel& model, const PuzzleWriteOptions& options = {});

}  // namespace tessemar
