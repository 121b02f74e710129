#include "cli/Cli.h"
#include "support/CliRunner.h"

#include "core/document/TsdFile.h"
#include "support/PictureDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessemar::cli {
namespace {

std::string SaveClues(const TempDir& dir, const std::vector<std::string>& rows) {
    auto doc = DocumentFromPicture(rows);
    // The picture holds one solution; the check must not take it as given.
    const std::string path = dir.File("puzzle.tsd");
    SaveDocumentFile(*doc, path);
    return path;
}

// The text between the first "from" and the next "to" after it; empty when either is missing.
std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t start = text.find(from);
    const std::size_t end = start == std::string::npos ? start : text.find(to, start + from.size());
    if (end == std::string::npos)
        return {};
    return text.substr(start + from.size(), end - start - from.size());
}

TEST(CheckCliTest, VerdictsAndTheirExitCodes) {
    TempDir dir;
    const struct {
        std::vector<std::string> rows;
        int code;
        const char* verdict;
        const char* solutions;
    } cases[] = {
        {{"11.", "1..", "..."}, ExitOk, "\"unique\"", "[[\"11-\", \"1--\", \"---\"]]"},
        {{"1.", ".1"}, 1, "\"several\"", nullptr},
    };
    for (const auto& c : cases) {
        const CliRun run = RunWords({"check", SaveClues(dir, c.rows), "--json"});
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_EQ(Between(run.out, "\"verdict\": ", ","), c.verdict);
        if (c.solutions != nullptr) {
            EXPECT_EQ(Between(run.out, "\"solutions\": ", "}"), c.solutions);
        }
    }
    const CliRun several = RunWords({"check", SaveClues(dir, {"1.", ".1"}), "--lang", "en"});
    // The time varies; everything around it is fixed.
    EXPECT_TRUE(several.out.starts_with("Several solutions: two of them differ in 4 cells\n\nTime: "));
    EXPECT_TRUE(several.out.ends_with(" seconds\n\n1:\n1-\n-1\n\n2:\n-1\n1-\n")) << several.out;
}

TEST(CheckCliTest, BadTimeLimitIsAUsageError) {
    for (const char* limit : {"0", "-1", "soon", ""}) {
        EXPECT_EQ(RunWords({"check", "any.tsd", "--time-limit", limit}).code, ExitUsage) << limit;
    }
}

// Every corpus puzzle that Solve completes is unique, with Solve's grid.
TEST(CheckCliTest, CorpusPuzzlesSolveCompletesAreUniqueWithTheSameGrid) {
    const std::filesystem::path corpus(TESSEMAR_PUZZLES_DIR);
    if (!std::filesystem::exists(corpus / "classic"))
        GTEST_SKIP() << "the puzzle corpus is not beside the project";
    int compared = 0;
    for (const char* folder : {"classic", "colour"}) {
        for (const auto& entry : std::filesystem::directory_iterator(corpus / folder)) {
            if (entry.path().extension() != ".xml")
                continue;
            const std::string file = entry.path().string();
            const CliRun solve = RunWords({"solve", file, "--json"});
            if (solve.code != ExitOk)
                continue;
            const CliRun check = RunWords({"check", file, "--json"});
            EXPECT_EQ(check.code, ExitOk) << file;
            EXPECT_EQ("[" + Between(solve.out, "\"grid\": ", "}") + "]",
                      Between(check.out, "\"solutions\": ", "}"))
                << file;
            ++compared;
        }
    }
    EXPECT_GT(compared, 10);
}

}  // namespace
}  // namespace tessemar::cli
