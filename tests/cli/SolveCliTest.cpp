#include "cli/Cli.h"
#include "support/CliRunner.h"

#include "core/document/TsdFile.h"
#include "support/PictureDocument.h"
#include "support/TempDir.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>


namespace tessemar::cli {
namespace {

// Saves a puzzle whose clues come from the picture; the picture itself is kept only when asked.
std::string SavePuzzle(const TempDir& dir, const std::string& name,
                       const std::vector<std::string>& rows, bool keepPicture = false) {
    auto doc = DocumentFromPicture(rows);
    if (!keepPicture)
        doc->ReplaceModel(WithoutPicture(doc->Model()));
    const std::string path = dir.File(name);
    SaveDocumentFile(*doc, path);
    return path;
}

TEST(SolveCliTest, ReportAndJsonOfACompleteSolve) {
    TempDir dir;
    const std::string file = SavePuzzle(dir, "cross.tsd", {".1.", "111", ".2."});
    CliRun text = RunWords({"solve", file, "--lang", "en"});
    ASSERT_EQ(text.code, ExitOk) << text.err;
    // The report is the solver's own; the command prints it with plain line ends.
    EXPECT_TRUE(text.out.starts_with("Complete\n\nTime: ")) << text.out;
    EXPECT_EQ(text.out.find('\r'), std::string::npos);

    CliRun json = RunWords({"solve", file, "--json"});
    ASSERT_EQ(json.code, ExitOk);
    // Every key of the object in order; the time and the counters are the solver's (shown as #).
    std::string masked = json.out;
    for (const std::string key : {"elapsedMs", "normalRowScans", "normalColumnScans", "trialRowScans",
                                  "trialColumnScans", "tries", "fixedByTrial", "contradictionX",
                                  "contradictionY"}) {
        const std::size_t at = masked.find('"' + key + "\": ");
        ASSERT_NE(at, std::string::npos) << key;
        const std::size_t value = at + key.size() + 4;
        masked.replace(value, masked.find_first_not_of("-0123456789", value) - value, "#");
    }
    EXPECT_EQ(masked, R"({"code": 1, "elapsedMs": #, "knownCells": 9, "normalRowScans": #, )"
                      R"("normalColumnScans": #, "trialRowScans": #, "trialColumnScans": #, )"
                      R"("tries": #, "fixedByTrial": #, "contradictionX": #, "contradictionY": #, )"
                      R"("width": 3, "height": 3, "grid": ["-1-", "111", "-2-"]})"
                      "\n");
}

TEST(SolveCliTest, ExitCodesFollowTheResult) {
    TempDir dir;
    const std::string open = SavePuzzle(dir, "open.tsd", {"1.", ".1"});
    const std::string done = SavePuzzle(dir, "done.tsd", {"1.", ".1"}, true);
    CLogicDoc wrong;
    LoadSize(wrong, 3, 3);
    wrong.SetClueNumber(SideRow, 0, 1, 4, 1);
    const std::string bad = dir.File("wrong.tsd");
    SaveDocumentFile(wrong, bad);

    struct Case {
        std::vector<std::string> words;
        int code;
        std::string outStart, errStart;
    };
    const Case cases[] = {
        {{"solve", open, "--lang", "en"}, 1, "Stop calculating:More than 1 solution", ""},
        {{"solve", done, "--lang", "en", "--hint"}, 0, "Complete\n", ""},
        {{"solve", bad, "--lang", "en"}, 3, "", "Numbers are wrong!\n    Row 2 is wrong\n"},
        {{"solve", bad, "--lang", "en", "--force"}, 2, "Contradiction", "Numbers are wrong!"},
        {{"solve"}, ExitUsage, "", "usage:"},
        {{"calc", open}, ExitUsage, "", "usage:"},
    };
    for (const Case& c : cases) {
        CliRun run = RunWords(c.words);
        EXPECT_EQ(run.code, c.code) << c.words.size() << " " << run.err << run.out;
        EXPECT_TRUE(run.out.starts_with(c.outStart)) << run.out;
        EXPECT_TRUE(run.err.starts_with(c.errStart)) << run.err;
    }
}

TEST(SolveCliTest, OutputAndCalcWriteDocuments) {
    TempDir dir;
    const std::string puzzle = SavePuzzle(dir, "p.tsd", {"12", "2."});
    ASSERT_EQ(RunWords({"solve", puzzle, "--output", dir.File("solved.tsd")}).code, ExitOk);
    auto solved = OpenDocumentFile(dir.File("solved.tsd"));
    EXPECT_EQ(solved->Cell(1, 1), -1);  // a blank the solver found is an X mark

    // calc turns the solved picture back into the clues the puzzle had.
    ASSERT_EQ(RunWords({"calc", dir.File("solved.tsd"), dir.File("calc.tsd")}).code, ExitOk);
    auto original = OpenDocumentFile(puzzle);
    auto calculated = OpenDocumentFile(dir.File("calc.tsd"));
    EXPECT_EQ(calculated->Model().rowClueNumbers, original->Model().rowClueNumbers);
    EXPECT_EQ(calculated->Model().columnClueColors, original->Model().columnClueColors);
}

}  // namespace
}  // namespace tessemar::cli
