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
        {"dir/A.XML", PuzzleFormat::Webpbn}, {"b.NoN", PuzzleFormat::Non},
        {".non", PuzzleFormat::Non},         {"noext", PuzzleFormat::Tsd},
        {"x.xml/file", PuzzleFormat::Tsd},   {"weird.txt", PuzzleFormat::Tsd},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PuzzleFormatOfPath(c.path), c.format) << c.path;
}

// Random puzzles of one to eight colours and up to 40 x 40 cells travel .tsd -> .xml -> .tsd and
// .tsd -> .non -> .tsd through files: the clues, the picture (when asked for) and the colours
// used arrive unchanged (.non has no colours for a one-colour puzzle).
TEST(PuzzleFilesTest, RandomPuzzlesRoundTripThroughEveryFormat) {
    struct Format {
        const char* extension;
        bool background;  // carries colour 0, and the colour of a one-colour puzzle
    };
    TempDir dir;
    std::mt19937 random(11);
    for (const Format& f : {Format{".xml", true}, Format{".non", false}}) {
        const std::string file = dir.File(std::string("puzzle") + f.extension);
        for (int i = 0; i < 16; ++i) {
            SCOPED_TRACE(std::string(f.extension) + " " + std::to_string(i));
            const int colours = 1 + i % 8;
            auto original = testing::RandomPuzzle(random, 1 + static_cast<int>(random() % 40),
                                                  1 + static_cast<int>(random() % 40), colours);
            CLogicDoc source;
            source.ReplaceModel(*original);
            SaveDocumentFile(source, dir.File("source.tsd"));
            auto reopened = OpenPuzzleFile(dir.File("source.tsd"));
            SavePuzzleFile(*reopened, file);
            EXPECT_EQ(reopened->GetPathName(), dir.File("source.tsd"))
                << "an export must not take the path";

            auto withGoal = OpenPuzzleFile(file, {}, {.withGoal = true});
            EXPECT_TRUE(withGoal->GetPathName().empty());
            EXPECT_EQ(withGoal->GetTitle(), std::string("puzzle") + f.extension);
            EXPECT_FALSE(withGoal->IsModified());
            const bool coloursCarried = f.background || colours > 1;
            for (int c = f.background ? 0 : 1; coloursCarried && c <= colours; ++c)
                EXPECT_EQ(withGoal->Model().colors[c], original->colors[c]) << c;

            testing::ExpectSamePuzzle(*original, OpenPuzzleFile(file)->Model(), false);

            // What arrived with the goal is what a .tsd keeps of it.
            SavePuzzleFile(*withGoal, dir.File("back.tsd"));
            testing::ExpectSamePuzzle(*original, OpenPuzzleFile(dir.File("back.tsd"))->Model(),
                                      true);
        }
    }
}

TEST(PuzzleFilesTest, ReportsFileSystemAndFormatErrors) {
    TempDir dir;
    // The community formats share the reading and the writing of the file, .tsd has its own.
    for (const char* name : {"missing.xml", "missing.tsd"}) {
        try {
            OpenPuzzleFile(dir.File(name));
            ADD_FAILURE() << name;
        } catch (const FileAccessError& error) {
            EXPECT_EQ(error.error(), ENOENT);
            EXPECT_EQ(error.operation(), FileAccessError::Operation::Read);
        }
    }
    std::ofstream(dir.File("bad.non")) << "width 0\n";
    EXPECT_THROW(OpenPuzzleFile(dir.File("bad.non")), PuzzleFormatError);

    CLogicDoc doc;
    for (const char* name : {"no/such/folder/a.non", "no/such/folder/a.tsd"}) {
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
        if (!formats::PictureHasFill(doc->Model()))
            continue;  // some .non files carry no goal
        testing::ExpectCluesOfThePicture(doc->Model());
    }
    EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace tessemar
