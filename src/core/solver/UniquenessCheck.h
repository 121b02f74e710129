#pragma once

#include "core/document/Drawing.h"
#include "core/document/PuzzleModel.h"
#include "core/solver/CheckLines.h"

#include <atomic>
#include <functional>

namespace tessemar {

enum class CheckVerdict {
    Unique,     // exactly one solution: first
    Several,    // more than one: first and second differ
    None,       // no grid matches every clue
    Undecided,  // stopped, out of time, or (never expected) a grid failed its verification
};

// Where a check is, for a progress display.
enum class CheckPhase { LineSolving, FirstSolution, SecondSolution };

struct CheckOptions {
    // Nonzero asks the check to stop as soon as it can.
    const std::atomic<int>* stop = nullptr;
    // Milliseconds; 0 = no limit.
    int timeLimitMs = 0;
    // Takes the picture's cells as given (an X mark as blank); otherwise the clues alone count.
    bool fromPicture = false;
    // Called on the checking thread when a phase begins.
    std::function<void(CheckPhase)> onPhase;
};

struct CheckResult {
    CheckVerdict verdict = CheckVerdict::Undecided;
    // Why a check is undecided: the stop request, or the time limit.
    bool stopped = false;
    bool outOfTime = false;
    int width = 0;
    int height = 0;
    // Complete grids (1..8, 255 blank; cell (x, y) at x * H + y), each matching every clue:
    // first for Unique and Several, second for Several.
    CheckGrid first;
    CheckGrid second;
    // Cells that line solving and its trials left open for the search.
    int openCells = 0;
    int elapsedMs = 0;

    // The cells where the two solutions differ (empty unless Several), column by column.
    std::vector<CellPoint> DifferingCells() const;
};

class CLogicDoc;

// Writes the first or the second grid of a result into the picture as a solve's result is
// written: blank cells as X marks, one edit (or part of the one open around it). Returns the
// number of cells written.
int WriteCheckSolution(CLogicDoc& doc, const CheckResult& result, bool second);

// Decides whether the puzzle's clues have exactly one solution, several or none: the line
// solver first (sweeps, then trials of each open cell), then a SAT search over the cells it
// leaves open for a first solution and, after excluding it, for a second. "Unique" is a proof, and every grid reported has been
// checked against every clue.
CheckResult CheckUniqueness(const PuzzleModel& model, const CheckOptions& options = {});

}  // namespace tessemar
