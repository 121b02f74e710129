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

// A conversion that reads no settings of the user's.
CliRun Convert(const TempDir& dir, std::vector<std::string> words) {
    words.insert(words.begin(), "convert");
    words.insert(words.end(), {"--ini", dir.File("none.INI")});
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
    for (const char* middle : {"mid.xml", "mid.non"}) {
        SCOPED_TRACE(middle);
        CliRun there = Convert(dir, {dir.File("in.tsd"), dir.File(middle)});
        ASSERT_EQ(there.code, ExitOk) << there.err;
        CliRun back = Convert(dir, {dir.File(middle), dir.File("back.tsd"), "--with-goal"});
        ASSERT_EQ(back.code, ExitOk) << back.err;
        EXPECT_EQ(OpenDocumentFile(dir.File("back.tsd"))->Model().cells, doc->Model().cells);

        // Without --with-goal the puzzle arrives unsolved.
        ASSERT_EQ(Convert(dir, {dir.File(middle), dir.File("blank.tsd")}).code, ExitOk);
        EXPECT_EQ(OpenDocumentFile(dir.File("blank.tsd"))->Cell(0, 0), 0);
    }
    ASSERT_EQ(Convert(dir, {dir.File("in.tsd"), dir.File("nogoal.xml"), "--no-goal"}).code, ExitOk);
    EXPECT_EQ(ReadWholeFile(dir.File("nogoal.xml"))->find("<solution"), std::string::npos);
}

TEST(ConvertTest, ExitCodesAndMessages) {
    TempDir dir;
    SaveDocumentFile(*MakeDocument(), dir.File("in.tsd"));
    std::ofstream(dir.File("bad.xml")) << "<puzzleset>\n<puzzle>\n<clues type='rows'>\n</clues>\n";
    const auto f = [&dir](const char* name) { return dir.File(name); };
    struct Case {
        std::vector<std::string> words;
        int code;
        std::string err;
    } cases[] = {
        {{f("in.tsd")}, ExitUsage, "usage: tessemar-cli convert"},
        {{f("missing.xml"), f("a.tsd")}, ExitCannotOpen, f("missing.xml") + " was not found.\n"},
        {{f("bad.xml"), f("a.tsd")},
         ExitBadFile,
         "Unexpected file format. (line 2: <puzzle> is never closed)\n"},
        {{f("in.tsd"), f("no/such/dir/a.non")}, ExitCannotWrite, ""},
    };
    text::SetLanguage(text::Language::English);
    for (const Case& c : cases) {
        CliRun run = Convert(dir, c.words);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    }
    EXPECT_FALSE(std::ifstream(dir.File("a.tsd")).good()) << "a failed conversion leaves no file";
}

}  // namespace
}  // namespace tessemar::cli
