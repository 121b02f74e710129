#pragma once

#include "core/solver/SolveResult.h"
#include "core/text/StringTable.h"

#include <string>

namespace tessemar {

// The texts that report the end of a run, in one language; the window shows them in its status
// bar, message box and report window, the command-line tool prints them.
struct SolveReport {
    enum class Kind { Complete, Open, Stopped, Contradiction };
    Kind kind = Kind::Complete;
    // "Complete", "More than 1 solution was found", or the stop prefix and its reason.
    std::string headline;
    // The first status-bar pane: headline, two spaces and the time; for a contradiction the
    // stop prefix and the contradiction headline.
    std::string statusText;
    // The time line and the statistics block.
    std::string timeText;
    std::string statistics;
    // The report window's text: headline, an empty line, time and statistics.
    std::string reportText;
    // For a contradiction: the message naming where it happened.
    std::string contradictionMessage;
};

// width x height is the document's size (the denominator of the achievement rate).
SolveReport BuildSolveReport(const SolveResult& result, int width, int height,
                             text::Language language);

// The time line of a report: the elapsed time in seconds and milliseconds.
std::string SolveTimeText(int elapsedMs, text::Language language);

// The progress text for a running solve.
std::string SolveProgressText(int knownCells, int width, int height, text::Language language);

// The detail of a failed clue check and the question around it; empty when nothing failed.
std::string NumbersWrongMessage(int badRow, int badColumn, int badColour, text::Language language);

}  // namespace tessemar
