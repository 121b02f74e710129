#include "cli/Cli.h"
#include "support/CliRunner.h"

#include "core/document/TsdFile.h"
#include "core/io/FileUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tessemar::cli {
namespace {

TEST(CliTest, NewWritesTheDefaultDocumentAndInfoReportsIt) {
    TempDir dir;
    const std::string file = dir.File("fresh.tsd");
    CliRun made = RunWords({"new", file, "--ini", dir.File("none.INI")});
    ASSERT_EQ(made.code, ExitOk) << made.err;
    EXPECT_EQ(ReadWholeFile(file).value().size(), 267u);

    CliRun info = RunWords({"info", file, "--lang", "en"});
    ASSERT_EQ(info.code, ExitOk) << info.err;
    // The report is the document's own; the command prints it with plain line ends.
    EXPECT_TRUE(info.out.starts_with("File Name: fresh.tsd\nFile Path: " + file + "\n"))
        << info.out;
    EXPECT_TRUE(info.out.ends_with("\nFont: Arial (BOLD)\n")) << info.out;
    EXPECT_EQ(info.out.find('\r'), std::string::npos);
    CliRun japanese = RunWords({"info", file, "--lang=ja"});
    EXPECT_TRUE(japanese.out.starts_with("ファイル名： fresh.tsd\n")) << japanese.out;
}

// The settings give the new document's defaults, the size option overrides theirs.
TEST(CliTest, NewFollowsTheSettingsAndTheSizeOption) {
    TempDir dir;
    const std::string ini = dir.File("Tessemar.INI");
    std::ofstream(ini) << "[Default]\nTitle=Cat\nSize=21\nRow=40\nCol=30\n";
    ASSERT_EQ(RunWords({"new", dir.File("b.tsd"), "--ini", ini, "--size", "250x3"}).code, ExitOk);
    auto b = OpenDocumentFile(dir.File("b.tsd"));
    EXPECT_EQ(b->columnCount(), 250);
    EXPECT_EQ(b->rowCount(), 3);
    EXPECT_EQ(b->cellSize(), 21);
    EXPECT_EQ(b->Model().title, "Cat");
}

TEST(CliTest, ExitCodesForBadInput) {
    TempDir dir;
    const std::string bad = dir.File("bad.tsd");
    std::ofstream(bad) << "TESSEMAR but cut short";
    struct Case {
        std::vector<std::string> words;
        int code;
        std::string errorStart;
    } cases[] = {
        {{"info", bad, "--lang", "en"}, ExitBadFile, "Unexpected file format."},
        {{"info", dir.File("missing.tsd"), "--lang", "en"}, ExitCannotOpen, dir.File("missing.tsd") + " was not found."},
        {{"info", bad, "--lang", "ja"}, ExitBadFile, "予期しないﾌｧｲﾙ形式です。"},
        {{"info"}, ExitUsage, "usage:"},
        {{"info", bad, "--lang", "fr"}, ExitUsage, "tessemar-cli: --lang"},
        {{"info", bad, "--bogus"}, ExitUsage, "tessemar-cli: unknown option"},
        {{"new", dir.File("x.tsd"), "--size", "0x5"}, ExitUsage, "tessemar-cli: --size"},
        {{"new", dir.File("no/such/x.tsd"), "--ini", dir.File("none.INI")}, ExitCannotWrite, ""},
        {{"frobnicate"}, ExitUsage, "tessemar-cli: unknown command"},
        {{}, ExitUsage, "Usage:"},
    };
    for (const Case& c : cases) {
        CliRun run = RunWords(c.words);
        EXPECT_EQ(run.code, c.code) << (c.words.empty() ? "" : c.words[0]) << " " << run.err;
        EXPECT_TRUE(run.err.starts_with(c.errorStart)) << run.err;
    }
}

TEST(CliTest, HelpNamesEveryCommandAndExitCode) {
    CliRun help = RunWords({"--help"});
    EXPECT_EQ(help.code, ExitOk);
    for (const Command& command : Commands()) {
        EXPECT_NE(help.out.find("tessemar-cli " + std::string(command.name)), std::string::npos) << command.name;
    }
    for (const char* code : {"64", "65", "66", "70", "73"}) EXPECT_NE(help.out.find(code), std::string::npos);
}

// A command without its words prints its synopsis as the usage line (the drawing commands are
// another program's, run in RenderCommandTest).
TEST(CliTest, UsageLineIsTheSynopsis) {
    for (const Command& command : Commands()) {
        if (command.name == "render" || command.name == "print") continue;
        EXPECT_EQ(RunWords({std::string(command.name)}).err,
                  "usage: tessemar-cli " + std::string(command.synopsis) + "\n");
    }
}

TEST(CliTest, ParseIntInRangeTakesOnlyAWholeNumberInRange) {
    const struct {
        const char* text;
        int value;  // -1: refused
    } cases[] = {{"1", 1},   {"250", 250}, {"0", -1},  {"251", -1},
                 {"", -1},   {"1x", -1},   {" 5", -1}, {"+5", -1}};
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(ParseIntInRange(c.text, 1, 250, value), c.value != -1) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

}  // namespace
}  // namespace tessemar::cli
