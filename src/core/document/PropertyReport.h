#pragma once

#include "core/document/CLogicDoc.h"
#include "core/text/StringTable.h"

#include <string>

namespace tessemar {

// The colours a puzzle uses, as bit sets over colour indices 0..8.
struct UsedColors {
    unsigned numbers = 0;  // colours of the clue slots over the W x H range
    unsigned picture = 0;  // colours of the picture cells, X marks left out
    unsigned Total() const { return numbers | picture; }
};
UsedColors CollectUsedColors(const PuzzleModel& model);

// The plain-text property report of a document (lines end in CR LF).
std::string BuildPropertyReport(const CLogicDoc& doc, text::Language language);

}  // namespace tessemar
