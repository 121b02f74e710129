#include "core/solver/UniquenessCheck.h"
#include "core/solver/SolverTestUtil.h"
#include "support/PictureDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace tessemar {
namespace {

using Runs = std::vector<std::pair<int, int>>;  // (length, colour) in line order

// The runs of a line of cells (0 blank, 1..8 colour), written without the checker's code.
Runs RunsOf(const std::vector<int>& cells) {
    Runs runs;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == 0)
            continue;
        if (i > 0 && cells[i - 1] == cells[i])
            ++runs.back().first;
        else
            runs.push_back({1, cells[i]});
    }
    return runs;
}

// Counts the solutions of the model's clues, up to two, by enumerating every row that matches
// its clue and pruning on the columns' prefixes.
class BruteForce {
  public:
    BruteForce(const PuzzleModel& m, int colours) : w_(m.columnCount), h_(m.rowCount) {
        for (int y = 0; y < h_; ++y) {
            Runs clue;
            for (int k = w_ - 1; k >= 0; --k) {
                if (m.rowClueNumbers[k][y] != 0 && m.rowClueNumbers[k][y] != 255)
                    clue.push_back({m.rowClueNumbers[k][y], m.rowClueColors[k][y]});
            }
            rowOptions_.push_back(LinesMatching(clue, colours));
        }
        for (int x = 0; x < w_; ++x) {
            columns_.emplace_back();
            for (int k = h_ - 1; k >= 0; --k) {
                if (m.columnClueNumbers[x][k] != 0 && m.columnClueNumbers[x][k] != 255)
                    columns_.back().push_back({m.columnClueNumbers[x][k], m.columnClueColors[x][k]});
            }
        }
        rows_.resize(static_cast<std::size_t>(h_));
        Search(0);
    }
    int count = 0;
    std::vector<std::vector<int>> firstRows;

  private:
    std::vector<std::vector<int>> LinesMatching(const Runs& clue, int colours) const {
        std::vector<std::vector<int>> lines;
        std::vector<int> line(static_cast<std::size_t>(w_), 0);
        int total = 1;
        for (int i = 0; i < w_; ++i)
            total *= colours + 1;
        for (int code = 0; code < total; ++code) {
            for (int i = 0, c = code; i < w_; ++i, c /= colours + 1)
                line[i] = c % (colours + 1);
            if (RunsOf(line) == clue)
                lines.push_back(line);
        }
        return lines;
    }

    // Column x over rows 0..depth-1 can still grow into its clue.
    bool ColumnPrefixFits(int x, int depth) const {
        std::vector<int> cells;
        for (int y = 0; y < depth; ++y)
            cells.push_back(rows_[y][x]);
        const Runs runs = RunsOf(cells);
        const Runs& clue = columns_[x];
        if (depth == h_)
            return runs == clue;
        if (runs.size() > clue.size())
            return false;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const bool open = r + 1 == runs.size() && cells.back() != 0;
            if (runs[r].second != clue[r].second || runs[r].first > clue[r].first ||
                (!open && runs[r].first != clue[r].first))
                return false;
        }
        return true;
    }

    void Search(int depth) {
        if (count >= 2)
            return;
        if (depth == h_) {
            if (++count == 1)
                firstRows = rows_;
            return;
        }
        for (const auto& row : rowOptions_[depth]) {
            rows_[depth] = row;
            bool fits = true;
            for (int x = 0; x < w_ && fits; ++x)
                fits = ColumnPrefixFits(x, depth + 1);
            if (fits)
                Search(depth + 1);
        }
    }

    int w_, h_;
    std::vector<std::vector<std::vector<int>>> rowOptions_;
    std::vector<Runs> columns_;
    std::vector<std::vector<int>> rows_;
};

std::vector<int> RowOf(const CheckGrid& grid, int w, int h, int y) {
    std::vector<int> row;
    for (int x = 0; x < w; ++x)
        row.push_back(grid[x * h + y] == 255 ? 0 : grid[x * h + y]);
    return row;
}

TEST(UniquenessCheckTest, VerdictEqualsBruteForceCountOnSmallRandomPuzzles) {
    std::mt19937 random(18);
    int seen[4] = {};
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + static_cast<int>(random() % 6);
        const int h = 1 + static_cast<int>(random() % 6);
        const int colours = 1 + static_cast<int>(random() % 3);
        const auto rows = testing::RandomCells(random, w, h, colours, 25 + random() % 50);
        PuzzleModel model = WithoutPicture(DocumentFromPicture(rows)->Model());
        // Every fourth puzzle gets one clue number changed, which often leaves no solution.
        if (round % 4 == 3 && model.rowClueNumbers[0][0] != 0)
            model.rowClueNumbers[0][0] = static_cast<std::uint8_t>(1 + random() % w);
        const BruteForce brute(model, colours);
        const CheckResult result = CheckUniqueness(model);
        SCOPED_TRACE(::testing::PrintToString(rows) + " round " + std::to_string(round));

        const CheckVerdict expected = brute.count == 0   ? CheckVerdict::None
                                      : brute.count == 1 ? CheckVerdict::Unique
                                                         : CheckVerdict::Several;
        ASSERT_EQ(result.verdict, expected);
        ++seen[static_cast<int>(expected)];
        const CheckLines lines = CollectCheckLines(model);
        if (expected == CheckVerdict::Unique) {
            for (int y = 0; y < h; ++y)
                EXPECT_EQ(RowOf(result.first, w, h, y), brute.firstRows[y]);
        }
        if (expected == CheckVerdict::Several) {
            EXPECT_TRUE(GridMatchesClues(lines, result.first));
            EXPECT_TRUE(GridMatchesClues(lines, result.second));
            EXPECT_FALSE(result.DifferingCells().empty());
        }
    }
    // The table really covers all three answers.
    EXPECT_GT(seen[0], 20);
    EXPECT_GT(seen[1], 20);
    EXPECT_GT(seen[2], 20);
}

TEST(UniquenessCheckTest, PlantedSecondSolutionGivesTwoGridsDifferingInItsCells) {
    // The picture is unique but for the diagonal in rows 2 and 3, which can swap.
    const std::vector<std::string> rows = {"23332", ".....", ".1...", "..1.."};
    const CheckResult result = CheckUniqueness(WithoutPicture(DocumentFromPicture(rows)->Model()));
    ASSERT_EQ(result.verdict, CheckVerdict::Several);
    // That both grids fit the clues is checked on the random puzzles above.
    EXPECT_EQ(result.DifferingCells(), (std::vector<CellPoint>{{1, 2}, {1, 3}, {2, 2}, {2, 3}}));

    // The picture's own cells as givens settle the block.
    CheckOptions fromPicture;
    fromPicture.fromPicture = true;
    const CheckResult given = CheckUniqueness(DocumentFromPicture(rows)->Model(), fromPicture);
    EXPECT_EQ(given.verdict, CheckVerdict::Unique);
}

TEST(UniquenessCheckTest, ContradictoryCluesGiveNone) {
    auto doc = DocumentFromPicture({"11.", ".1.", "..1"});
    const struct {
        const char* what;
        void (*change)(PuzzleModel&);
    } cases[] = {
        {"a colour no crossing line has", [](PuzzleModel& m) { m.rowClueColors[0][1] = 2; }},
        {"a colour outside 1..8", [](PuzzleModel& m) { m.rowClueColors[0][1] = 12; }},
    };
    for (const auto& c : cases) {
        PuzzleModel model = WithoutPicture(doc->Model());
        c.change(model);
        const CheckResult result = CheckUniqueness(model);
        EXPECT_EQ(result.verdict, CheckVerdict::None) << c.what;
        EXPECT_TRUE(result.first.empty()) << c.what;
    }
}

TEST(UniquenessCheckTest, StopAndTimeLimitEndUndecidedAndLeaveNothingBehind) {
    // Two diagonals: the second solution needs the search.
    const PuzzleModel model = WithoutPicture(DocumentFromPicture({"1.", ".1"})->Model());
    for (CheckPhase stopAt : {CheckPhase::LineSolving, CheckPhase::FirstSolution,
                              CheckPhase::SecondSolution}) {
        std::atomic<int> stop{0};
        CheckOptions options;
        options.stop = &stop;
        options.onPhase = [&](CheckPhase p) { stop.store(p == stopAt ? 1 : stop.load()); };
        const CheckResult stopped = CheckUniqueness(model, options);
        EXPECT_EQ(stopped.verdict, CheckVerdict::Undecided);
        EXPECT_TRUE(stopped.stopped);
        EXPECT_TRUE(stopped.second.empty());
    }
    CheckOptions late;
    late.timeLimitMs = 1;
    late.onPhase = [](CheckPhase) { std::this_thread::sleep_for(std::chrono::milliseconds(5)); };
    const CheckResult outOfTime = CheckUniqueness(model, late);
    EXPECT_EQ(outOfTime.verdict, CheckVerdict::Undecided);
    EXPECT_TRUE(outOfTime.outOfTime);
    EXPECT_FALSE(outOfTime.stopped);
}

}  // namespace
}  // namespace tessemar
