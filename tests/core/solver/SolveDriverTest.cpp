#include "SolverTestUtil.h"

#include "core/solver/ClueNumbers.h"

#include <gtest/gtest.h>

#include <random>

namespace tessemar::testing {
namespace {

TEST(SolveDriverTest, CountersFollowTheSweepsAndTrials) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        Outcome expected;
    };
    const Case cases[] = {
        // Line solving finishes it: one sweep of every row and column, the next finds nothing
        // dirty.
        {"a block", {"111", "111", "111"}, {ResultChanged, 9, 3, 3, 0, 0, 0, 0, -1, -1}},
        // Every cell has two consistent values: each is tried once (colour 1, then blank, each
        // a sweep of two rows and two columns), and nothing is fixed.
        {"two diagonals", {"1.", ".1"}, {ResultIncomplete, 0, 2, 2, 16, 16, 4, 0, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = DocumentFromPicture(c.picture);
        SolveRun run;
        EXPECT_EQ(OutcomeOf(run.Solve(WithoutPicture(doc->Model()))), c.expected);
    }
}

TEST(SolveDriverTest, ContradictionsNameTheirPlace) {
    // Every line of a blank 3 x 2 picture has the clue 0. Row 1 asks for 4 cells in a row of 3:
    // the whole line fails, so only its row is known. Row 0 was solved first and its blanks
    // stay counted.
    PuzzleModel model = DocumentFromPicture({"...", "..."})->Model();
    model.rowClueNumbers[0][1] = 4;
    SolveRun run;
    EXPECT_EQ(OutcomeOf(run.Solve(model)),
              (Outcome{ResultContradiction | ResultChanged, 3, 2, 0, 0, 0, 0, 0, -1, 1}));

    // Row 1 has no clue but a coloured cell: the conflict is that cell, and the blank the row
    // set before it is counted.
    model.rowClueNumbers[0][1] = 0;
    model.cells[1][1] = 1;
    SolveRun second;
    EXPECT_EQ(OutcomeOf(second.Solve(model)),
              (Outcome{ResultContradiction | ResultChanged, 5, 2, 0, 0, 0, 0, 0, 1, 1}));
}

TEST(SolveDriverTest, StopRequestEndsTheRunAtTheNextLine) {
    auto doc = DocumentFromPicture({"1.", ".1"});
    SolveRun run;
    run.stop = 1;
    // Before the first line: the run ends at row 0 of the first sweep.
    EXPECT_EQ(OutcomeOf(run.Solve(WithoutPicture(doc->Model()))),
              (Outcome{ResultStopped, 0, 1, 0, 0, 0, 0, 0, -1, 0}));

    // During a trial: the pass gives up before the cell counts as tried.
    std::atomic<int> stop{1};
    SolveDriver driver;
    driver.Prepare(nullptr, stop, WithoutPicture(doc->Model()));
    EXPECT_EQ(driver.AbsurdPass(SolveCommandSolve, ViewRefresh::Off), ResultStopped);
    EXPECT_EQ(driver.Result().tries, 0);
    EXPECT_EQ(driver.Result().trialRowScans, 1);
}

// Records what a run tells its view. A threaded run is read only after Join.
struct Recorder : SolveObserver {
    void OnSolveProgress(int knownCells) override {
        progress.push_back(knownCells);
        events += 'p';
    }
    void OnSolveCellFixed(int x, int y, int value) override { cells.push_back({x, y, value}); }
    void OnSolveReleaseCapture() override { events += 'r'; }
    void OnSolveFinished(int command, const SolveResult& result) override {
        events += 'f';
        finishedCommand = command;
        finishedCode = result.code;
    }
    std::vector<int> progress;
    std::vector<std::array<int, 3>> cells;
    std::string events;
    int finishedCommand = 0;
    int finishedCode = 0;
};

TEST(SolveDriverTest, ViewHearsProgressColouredCellsAndTheEnd) {
    auto doc = DocumentFromPicture({"11..2", "1..22", "33333", ".....", "2.1.."});
    const PuzzleModel puzzle = WithoutPicture(doc->Model());
    Recorder recorder;
    std::atomic<int> stop{0};
    CSubThread thread;
    thread.PrepareSolve(&recorder, stop, puzzle);
    thread.Start(SolveCommandSolve, ViewRefresh::On);
    thread.Join();
    const SolveResult& result = thread.Result();
    ASSERT_EQ(result.code, ResultChanged);
    EXPECT_EQ(recorder.finishedCommand, SolveCommandSolve);
    EXPECT_EQ(recorder.finishedCode, ResultChanged);
    EXPECT_TRUE(recorder.events.ends_with("rf")) << recorder.events;
    // Every coloured cell (13 in the picture) is sent once with its colour; blanks are not sent.
    EXPECT_EQ(recorder.cells.size(), 13u);
    for (const auto& [x, y, value] : recorder.cells)
        EXPECT_EQ(value, doc->Cell(x, y)) << x << "," << y;
    // Progress only when the whole percentage changes, and it only grows.
    ASSERT_FALSE(recorder.progress.empty());
    EXPECT_EQ(recorder.progress.back(), 25);
    for (std::size_t i = 1; i < recorder.progress.size(); ++i) {
        EXPECT_GT(recorder.progress[i] * 100 / 25, recorder.progress[i - 1] * 100 / 25);
    }
    // Without view refresh no cell is sent, and the counts are the same.
    Recorder quiet;
    CSubThread again;
    again.PrepareSolve(&quiet, stop, puzzle);
    again.OnStartSolve(SolveCommandSolve, ViewRefresh::Off);
    EXPECT_TRUE(quiet.cells.empty());
    EXPECT_EQ(OutcomeOf(again.Result()), OutcomeOf(result));
}

// A random picture of up to `maxSide` cells a side in 1..colours colours.
std::vector<std::string> RandomPicture(std::mt19937& random, int maxSide, int colours) {
    const int w = 1 + static_cast<int>(random() % maxSide);
    const int h = 1 + static_cast<int>(random() % maxSide);
    const int density = 30 + static_cast<int>(random() % 50);
    return RandomCells(random, w, h, colours, density);
}

PuzzleModel WithGrid(PuzzleModel model, const SolveResult& result) {
    for (int x = 0; x < result.width; ++x) {
        for (int y = 0; y < result.height; ++y)
            model.cells[x][y] = static_cast<std::int8_t>(result.Cell(x, y));
    }
    return model;
}

TEST(SolveDriverTest, RandomPicturesNeverContradictAndSolutionsReproduceTheClues) {
    std::mt19937 random(4242);
    int complete = 0, open = 0, probed = 0;
    for (int round = 0; round < 70; ++round) {
        const int colours = 1 + round % 8;
        const auto picture = RandomPicture(random, round < 60 ? 16 : 40, colours);
        auto doc = DocumentFromPicture(picture);
        SolveRun run;
        const SolveResult& result = run.Solve(WithoutPicture(doc->Model()));
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(result.code & (ResultContradiction | ResultStopped), 0);
        int known = 0;
        for (int x = 0; x < result.width; ++x) {
            for (int y = 0; y < result.height; ++y)
                known += result.Cell(x, y) != 0 ? 1 : 0;
        }
        EXPECT_EQ(result.knownCells, known);
        probed += result.fixedByTrial > 0 ? 1 : 0;
        if (result.code != ResultChanged) {
            ++open;
            ASSERT_EQ(result.code, ResultIncomplete);
            continue;
        }
        ++complete;
        CLogicDoc solved;
        solved.ReplaceModel(WithGrid(doc->Model(), result));
        CalculateNumbers(solved);
        EXPECT_FALSE(solved.HasPendingUndo()) << "the solution's clues differ from the puzzle's";
    }
    // The sample has to reach both outcomes and the proof by contradiction to mean anything.
    EXPECT_GT(complete, 10);
    EXPECT_GT(open, 5);
    EXPECT_GT(probed, 3);
}

TEST(SolveDriverTest, RepeatedHintsReachTheGridOfOneSolve) {
    std::mt19937 random(777);
    for (int round = 0; round < 30; ++round) {
        auto doc = DocumentFromPicture(RandomPicture(random, 12, 1 + round % 4));
        const PuzzleModel puzzle = WithoutPicture(doc->Model());
        SolveRun solve;
        const SolveResult& solved = solve.Solve(puzzle);
        PuzzleModel current = puzzle;
        int hints = 0;
        for (;; ++hints) {
            ASSERT_LT(hints, 1000);
            SolveRun hint;
            const SolveResult& step = hint.Solve(current, SolveCommandHint);
            ASSERT_EQ(step.code & (ResultContradiction | ResultStopped), 0);
            const PuzzleModel next = WithGrid(current, step);
            if (next.cells == current.cells)
                break;
            current = next;
        }
        SCOPED_TRACE("round " + std::to_string(round) + " after " + std::to_string(hints) +
                     " hints");
        EXPECT_EQ(WithGrid(puzzle, solved).cells, current.cells);
    }
}

}  // namespace
}  // namespace tessemar::testing
