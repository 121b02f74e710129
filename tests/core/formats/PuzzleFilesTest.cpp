#include "core/formats/PuzzleFiles.h"

#include "FormatTestSupport.h"
#include "core/document/TsdFile.h"
#include "core/formats/FormatSupport.h"
#include "core/formats/NonFile.h"
#include "core/formats/PuzzleFormatError.h"
#include "core/formats/WebpbnFile.h"
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

// Random puzzles of one to eight colours and up to 40 x 40 cells, written and read back in
// memory: clues, picture and the colours used arrive unchanged (.non has no colours for one).
TEST(PuzzleFilesTest, RandomPuzzlesSurviveBothFormats) {
    struct Format {
        const char* name;
        testing::PuzzleWriter write;
        testing::PuzzleReader read;
        bool background;  // carries colour 0, and the colour of a one-colour puzzle
    };
    const Format formats[] = {{"webpbn", WriteWebpbn, ReadWebpbn, true},
                              {".non", WriteNon, ReadNon, false}};
    std::mt19937 random(11);
    for (const Format& f : formats) {
        for (int i = 0; i < 40; ++i) {
            SCOPED_TRACE(std::string(f.name) + " " + std::to_string(i));
            const int colours = 1 + i % 8;
            auto original = testing::RandomPuzzle(random, 1 + static_cast<int>(random() % 40),
                                                  1 + static_cast<int>(random() % 40), colours);
            auto back = testing::ReadWith(f.read, f.write(*original, {}), true);
            testing::ExpectSamePuzzle(*original, *back, true);
            if (!f.background && colours == 1)
                continue;
            for (int c = f.background ? 0 : 1; c <= colours; ++c)
                EXPECT_EQ(back->colors[c], original->colors[c]) << c;
        }
    }
}

// A puzzle travels .tsd -> .xml -> .tsd and .tsd -> .non -> .tsd through files; the clues and
// (asked for) the picture arrive unchanged. Colours are the in-memory round trip's concern.
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
        if (!formats::PictureHasFill(doc->Model()))
            continue;  // some .non files carry no goal
        // The goal's own clues are the file's clues, slot for slot.
        auto computed = std::make_unique<PuzzleModel>(doc->Model());
        testing::ComputeClues(*computed);
        testing::ExpectSamePuzzle(*computed, doc->Model(), true);
    }
    EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace tessemar
