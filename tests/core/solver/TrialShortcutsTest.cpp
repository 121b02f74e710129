#include "SolverTestUtil.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessemar::testing {
namespace {

Outcome SolveWith(const PuzzleModel& model, SolveCommand command,
                  SolveDriver::Shortcuts shortcuts) {
    SolveRun run;
    run.driver.SetShortcuts(shortcuts);
    return OutcomeOf(run.Solve(model, command), true);
}

TEST(TrialShortcutsTest, RunsWithAndWithoutShortcutsAgreeOnEveryCellAndCounter) {
    std::mt19937 random(20261206);
    int probed = 0, contradicted = 0, fixedSome = 0;
    for (int round = 0; round < 36; ++round) {
        const int colours = 1 + round % 8;
        const int w = 4 + static_cast<int>(random() % (round < 32 ? 24 : 48));
        const int h = 4 + static_cast<int>(random() % (round < 32 ? 24 : 48));
        // Noise pictures make the proof by contradiction visit nearly every cell, with long
        // chains of consequences in one colour and short ones in many, so trial lines meet their
        // main-grid lines in every state and come back often.
        const int density = 35 + static_cast<int>(random() % 40);
        auto doc = DocumentFromPicture(RandomCells(random, w, h, colours, density));
        PuzzleModel puzzle = WithoutPicture(doc->Model());
        // Some runs start from a few cells set at random, right or wrong, so that lines and
        // trials conflict in every way.
        if (round % 3 == 2) {
            for (int k = 0; k < 3; ++k) {
                const int x = static_cast<int>(random() % w);
                const int y = static_cast<int>(random() % h);
                const int v = static_cast<int>(random() % (colours + 1));
                puzzle.cells[x][y] = static_cast<std::int8_t>(v == 0 ? -1 : v);
            }
        }
        const SolveCommand command = round % 5 == 4 ? SolveCommandHint : SolveCommandSolve;
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(w) + " x " +
                     std::to_string(h) + ", " + std::to_string(colours) + " colours");
        const Outcome plain = SolveWith(puzzle, command, {false, false});
        EXPECT_EQ(SolveWith(puzzle, command, {true, false}), plain) << "greedy placements reused";
        EXPECT_EQ(SolveWith(puzzle, command, {false, true}), plain) << "trial lines remembered";
        EXPECT_EQ(SolveWith(puzzle, command, {true, true}), plain) << "both";
        probed += plain.tries > 0 ? 1 : 0;
        fixedSome += plain.fixed > 0 ? 1 : 0;
        contradicted += (plain.code & ResultContradiction) != 0 ? 1 : 0;
    }
    // The comparison means something only when the sample reaches the trials, cells fixed by
    // them (which change main-grid lines under remembered trial lines) and contradictions.
    EXPECT_GT(probed, 20);
    EXPECT_GT(fixedSome, 8);
    EXPECT_GT(contradicted, 2);
}

}  // namespace
}  // namespace tessemar::testing
