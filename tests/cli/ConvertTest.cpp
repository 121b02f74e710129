#include "cli/Cli.h"

#include "core/document/TsdFile.h"
#include "core/io/FileUtil.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"
#include "support/PictureDocument.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tessemar::cli {
namespace {

CliRun Convert(std::vector<std::string> words) {
    words.insert(words.begin(), "convert");
    return RunWords(words);
}

// A 3 x 2 two-colour puzzle with its picture.
std::unique_ptr<CLogicDoc> MakeDocument() {
    return DocumentFromPicture({"12.", "..2"});
}

TEST(ConvertTest, CarriesAPuzzleThroughEachFormatAndBack) {
    TempDir dir;
    auto doc = MakeDocument();
    SaveDocumentFile(*doc, dir.File("in.tsd"));
    const std::string ini = dir.File("none.INI");
    for (const char* middle : {"mid.xml", "mid.non", "MID.XML"}) {
        SCOPED_TRACE(middle);
        CliRun there = Convert({dir.File("in.tsd"), dir.File(middle), "--ini", ini});
        ASSERT_EQ(there.code, ExitOk) << there.err;
        CliRun back =
            Convert({dir.File(middle), dir.File("back.tsd"), "--with-goal", "--ini", ini});
        ASSERT_EQ(back.code, ExitOk) << back.err;
        auto result = OpenDocumentFile(dir.File("back.tsd"));
        for (int x = 0; x < 3; ++x) {
            for (int y = 0; y < 2; ++y)
                EXPECT_EQ(result->Cell(x, y), doc->Cell(x, y)) << x << "," << y;
        }

        // Without --with-goal the puzzle arrives unsolved.
        ASSERT_EQ(Convert({dir.File(middle), dir.File("blank.tsd"), "--ini", ini}).code, ExitOk);
        EXPECT_EQ(OpenDocumentFile(dir.File("blank.tsd"))->Cell(0, 0), 0);
    }
    ASSERT_EQ(Convert({dir.File("in.tsd"), dir.File("nogoal.xml"), "--no-goal", "--ini", ini}).code,
              ExitOk);
    EXPECT_EQ(ReadWholeFile(dir.File("nogoal.xml"))->find("<solution"), std::string::npos);
}

TEST(ConvertTest, ExitCodesAndMessages) {
    TempDir dir;
    SaveDocumentFile(*MakeDocument(), dir.File("in.tsd"));
    std::ofstream(dir.File("bad.xml")) << "<puzzleset>\n<puzzle>\n<clues type='rows'>\n</clues>\n";
    std::ofstream(dir.File("bad.tsd")) << "TESSEMAR cut";
    const std::string ini = dir.File("none.INI");
    const auto f = [&dir](const char* name) { return dir.File(name); };
    struct Case {
        std::vector<std::string> words;
        int code;
        std::string err;
    } cases[] = {
        {{f("in.tsd")}, ExitUsage, "usage: tessemar-cli convert"},
        {{f("in.tsd"), f("a.xml"), f("b.xml")}, ExitUsage, "usage: tessemar-cli convert"},
        {{f("in.tsd"), f("a.xml"), "--goal"}, ExitUsage, "tessemar-cli: unknown option --goal"},
        {{f("missing.xml"), f("a.tsd"), "--ini", ini},
         ExitCannotOpen,
         f("missing.xml") + " was not found.\n"},
        {{f("bad.xml"), f("a.tsd"), "--ini", ini},
         ExitBadFile,
         "Unexpected file format. (line 2: <puzzle> is never closed)\n"},
        {{f("bad.tsd"), f("a.xml"), "--ini", ini}, ExitBadFile, "Unexpected file format.\n"},
        {{f("in.tsd"), f("no/such/dir/a.non"), "--ini", ini}, ExitCannotWrite, ""},
    };
    text::SetLanguage(text::Language::English);
    for (const Case& c : cases) {
        CliRun run = Convert(c.words);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    }
    EXPECT_FALSE(std::ifstream(dir.File("a.tsd")).good()) << "a failed conversion leaves no file";
}

}  // namespace
}  // namespace tessemar::cli
