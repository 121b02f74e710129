#pragma once

#include "core/document/CLogicDoc.h"
#include "core/solver/ByteMatrix.h"
#include "core/solver/CSubThread.h"
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
inline ByteMatrix LineOf(const std::string& cells) {
    ByteMatrix line(static_cast<int>(cells.size()), 1, 0);
    for (int i = 0; i < line.Size(); ++i) {
        const char ch = cells[static_cast<std::size_t>(i)];
        line.Set(i, ch == '-' ? 255 : ch == '.' ? 0 : static_cast<std::uint8_t>(ch - '0'));
    }
    return line;
}

inline std::string TextOf(const ByteMatrix& line) {
    std::string text;
    for (int i = 0; i < line.Size(); ++i) {
        const std::uint8_t v = line.Get(i);
        text += v == 255 ? '-' : v == 0 ? '.' : static_cast<char>('0' + v);
    }
    return text;
}

// Clues (length, colour) from the first clue of the line to the last.
using Clues = std::vector<std::pair<int, int>>;

// The clue slots of a line of n cells: the last clue in slot 0, unused slots 255 / 0.
inline std::pair<ByteMatrix, ByteMatrix> SlotsOf(const Clues& clues, int n) {
    ByteMatrix numbers(n, 1, 255);
    ByteMatrix colours(n, 1, 0);
    const int m = static_cast<int>(clues.size());
    // A line of n cells has n slots: clues beyond them are dropped, as the editor would.
    for (int t = 0; t < m; ++t) {
        const int k = m - 1 - t;
        if (k >= n)
            continue;
        numbers.Set(k, static_cast<std::uint8_t>(clues[t].first));
        colours.Set(k, static_cast<std::uint8_t>(clues[t].second));
    }
    return {numbers, colours};
}

// Every crossing line allows every colour.
inline ByteMatrix AllowAll(int n) {
    return ByteMatrix(9, n, 1);
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
Outcome OutcomeOf(const SolveResult& result, bool withGrid = false);
void PrintTo(const Outcome& outcome, std::ostream* os);

// Runs one command on the calling thread with the model's picture as the starting grid.
struct SolveRun {
    std::atomic<int> stop{0};
    CSubThread thread;
    const SolveResult& Solve(const PuzzleModel& model, int command = SolveCommandSolve,
                             int updateView = 0, SolveObserver* observer = nullptr) {
        thread.PrepareSolve(observer, stop, model);
        thread.OnStartSolve(command, updateView);
        return thread.Result();
    }
};

}  // namespace tessemar::testing
