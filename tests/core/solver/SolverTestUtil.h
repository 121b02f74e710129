#pragma once

#include "core/document/CLogicDoc.h"
#include "core/solver/CSubThread.h"
#include "core/solver/LineSolver.h"
#include "core/solver/SolveDriver.h"
#include "support/PictureDocument.h"

#include <atomic>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tessemar::testing {

// A line written as text: '.' unknown, '-' blank, '1'..'8' a colour.
inline std::vector<std::uint8_t> LineOf(const std::string& cells) {
    std::vector<std::uint8_t> line;
    for (const char ch : cells)
        line.push_back(ch == '-' ? 255 : ch == '.' ? 0 : static_cast<std::uint8_t>(ch - '0'));
    return line;
}

inline std::string TextOf(const std::vector<std::uint8_t>& line) {
    std::string text;
    for (const std::uint8_t v : line)
        text += v == 255 ? '-' : v == 0 ? '.' : static_cast<char>('0' + v);
    return text;
}

// Clues (length, colour) from the first clue of the line to the last.
using Clues = std::vector<std::pair<int, int>>;

inline std::vector<LineSolver::Clue> LineCluesOf(const Clues& clues) {
    std::vector<LineSolver::Clue> line;
    for (const auto& [length, colour] : clues)
        line.push_back(LineSolver::Clue::Of(length, colour));
    return line;
}

// A w x h picture in which each cell is coloured (1..colours) with `density` percent chance.
inline std::vector<std::string> RandomCells(std::mt19937& random, int w, int h, int colours,
                                            int density) {
    std::vector<std::string> rows(static_cast<std::size_t>(h),
                                  std::string(static_cast<std::size_t>(w), '.'));
    for (auto& row : rows) {
        for (auto& cell : row) {
            if (static_cast<int>(random() % 100) < density)
                cell = static_cast<char>('1' + random() % colours);
        }
    }
    return rows;
}

// Everything a run reports: its code, its counters and, when asked for, the grid (column by
// column).
struct Outcome {
    int code, known, normalRows, normalColumns, trialRows, trialColumns, tries, fixed, cx, cy;
    std::vector<std::uint8_t> grid = {};
    bool operator==(const Outcome&) const = default;
};

inline Outcome OutcomeOf(const SolveResult& r, bool withGrid = false) {
    Outcome o{r.code,           r.knownCells,       r.normalRowScans, r.normalColumnScans,
              r.trialRowScans,  r.trialColumnScans, r.tries,          r.fixedByTrial,
              r.contradictionX, r.contradictionY};
    for (int x = 0; withGrid && x < r.width; ++x) {
        for (int y = 0; y < r.height; ++y)
            o.grid.push_back(r.Cell(x, y));
    }
    return o;
}

inline void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "code " << std::hex << o.code << std::dec << " known " << o.known << " normal "
        << o.normalRows << "/" << o.normalColumns << " trial " << o.trialRows << "/"
        << o.trialColumns << " tries " << o.tries << " fixed " << o.fixed << " at (" << o.cx << ", "
        << o.cy << ")";
}

// Runs one command on the calling thread with the model's picture as the starting grid.
struct SolveRun {
    std::atomic<int> stop{0};
    SolveDriver driver;
    const SolveResult& Solve(const PuzzleModel& model, SolveCommand command = SolveCommandSolve) {
        driver.Prepare(nullptr, stop, model);
        driver.Run(command, ViewRefresh::Off);
        return driver.Result();
    }
};

}  // namespace tessemar::testing
