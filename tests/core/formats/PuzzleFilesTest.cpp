#include "core/formats/PuzzleFiles.h"

#include "FormatTestSupport.h"
#include "core/document/TsdFile.h"
#include "core/formats/FormatSupport.h"
#include "core/formats/PuzzleFormatError.h"
#include "core/io/FileUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace tessemar {
namespace {

TEST(PuzzleFilesTest, TheExtensionChoosesTheFormat) {
    struct Case {
        const char* path;
        PuzzleFormat format;
    } cases[] = {
        {"a.xml", PuzzleFormat::Webpbn},  {"dir/A.XML", PuzzleFormat::Webpbn},
        {"b.non", PuzzleFormat::Non},     {"b.NoN", PuzzleFormat::Non},
        {"c.tsd", PuzzleFormat::Tsd},     {"c.TSD", PuzzleFormat::Tsd},
        {"noext", PuzzleFormat::Tsd},     {"x.xml/file", PuzzleFormat::Tsd},
        {"weird.txt", PuzzleFormat::Tsd}, {".non", PuzzleFormat::Non},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PuzzleFormatOfPath(c.path), c.format) << c.path;
}

// A puzzle travels .tsd -> .xml -> .tsd and .tsd -> .non -> .tsd through files; the clues, the
// colours and (asked for) the picture arrive unchanged.
TEST(PuzzleFilesTest, RoundTripsThroughEveryFormat) {
    TempDir dir;
    std::mt19937 random(7);
    for (int colours : {1, 2, 5, 8}) {
        for (const char* extension : {".xml", ".non"}) {
            SCOPED_TRACE(std::string(extension) + " colours " + std::to_string(colours));
            auto original = testing::RandomPuzzle(random, 3 + static_cast<int>(random() % 30),
                                                  1 + static_cast<int>(random() % 30), colours);
            CLogicDoc source;
            source.ReplaceModel(*original);
            SaveDocumentFile(source, dir.File("source.tsd"));
            auto reopened = OpenPuzzleFile(dir.File("source.tsd"));
            SavePuzzleFile(*reopened, dir.File(std::string("puzzle") + extension));
            EXPECT_EQ(reopened->GetPathName(), dir.File("source.tsd"))
                << "an export must not take the path";

            auto withGoal =
                OpenPuzzleFile(dir.File(std::string("puzzle") + extension), {}, {.withGoal = true});
            testing::ExpectSamePuzzle(*original, withGoal->Model(), true);
            EXPECT_TRUE(withGoal->GetPathName().empty());
            EXPECT_EQ(withGoal->GetTitle(), std::string("puzzle") + extension);
            EXPECT_FALSE(withGoal->IsModified());
            for (int c = 1; c <= colours; ++c) {
                if (std::string(extension) == ".non" && colours == 1)
                    break;  // .non has no colour then
                EXPECT_EQ(withGoal->Model().colors[c], original->colors[c]) << c;
            }

            auto clueOnly = OpenPuzzleFile(dir.File(std::string("puzzle") + extension));
            testing::ExpectSamePuzzle(*original, clueOnly->Model(), false);

            SavePuzzleFile(*withGoal, dir.File("back.tsd"));
            auto back = OpenPuzzleFile(dir.File("back.tsd"));
            testing::ExpectSamePuzzle(*original, back->Model(), true);
        }
    }
}

TEST(PuzzleFilesTest, ReportsFileSystemAndFormatErrors) {
    TempDir dir;
    for (const char* name : {"missing.xml", "missing.non", "missing.tsd"}) {
        try {
            OpenPuzzleFile(dir.File(name));
            ADD_FAILURE() << name;
        } catch (const FileAccessError& error) {
            EXPECT_EQ(error.error(), ENOENT);
            EXPECT_EQ(error.operation(), FileAccessError::Operation::Read);
        }
    }
    std::ofstream(dir.File("bad.xml")) << "<puzzleset>\n<puzzle>\n";
    EXPECT_THROW(OpenPuzzleFile(dir.File("bad.xml")), PuzzleFormatError);
    std::ofstream(dir.File("bad.non")) << "width 0\n";
    EXPECT_THROW(OpenPuzzleFile(dir.File("bad.non")), PuzzleFormatError);

    CLogicDoc doc;
    for (const char* name :
         {"no/such/folder/a.xml", "no/such/folder/a.non", "no/such/folder/a.tsd"}) {
        try {
            SavePuzzleFile(doc, dir.File(name));
            ADD_FAILURE() << name;
        } catch (const FileAccessError& error) {
            EXPECT_EQ(error.operation(), FileAccessError::Operation::Write);
        }
    }
}

// Every puzzle of the shared corpus opens, and its clue lines agree with its goal picture.
TEST(PuzzleFilesTest, ReadsEveryCorpusPuzzle) {
    const std::filesystem::path root = TESSEMAR_PUZZLES_DIR;
    if (!std::filesystem::is_directory(root))
        GTEST_SKIP() << "no puzzle corpus at " << root;
    int read = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string path = entry.path().string();
        if (PuzzleFormatOfPath(path) == PuzzleFormat::Tsd)
            continue;
        SCOPED_TRACE(path);
        std::unique_ptr<CLogicDoc> doc;
        try {
            doc = OpenPuzzleFile(path, {}, {.withGoal = true});
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        ++read;
        // The goal's own clues are the file's clues, slot for slot.
        auto computed = std::make_unique<PuzzleModel>(doc->Model());
        testing::ComputeClues(*computed);
        const PuzzleModel& m = doc->Model();
        if (!formats::PictureHasFill(m))
            continue;  // some .non files carry no goal
        for (int y = 0; y < m.rowCount; ++y) {
            for (int k = 0; k < m.columnCount; ++k) {
                ASSERT_EQ(m.rowClueNumbers[k][y], computed->rowClueNumbers[k][y]) << "row " << y;
                ASSERT_EQ(m.rowClueColors[k][y], computed->rowClueColors[k][y]) << "row " << y;
            }
        }
        for (int x = 0; x < m.columnCount; ++x) {
            for (int k = 0; k < m.rowCount; ++k) {
                ASSERT_EQ(m.columnClueNumbers[x][k], computed->columnClueNumbers[x][k])
                    << "column " << x;
                ASSERT_EQ(m.columnClueColors[x][k], computed->columnClueColors[x][k])
                    << "column " << x;
            }
        }
    }
    EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace tessemar
