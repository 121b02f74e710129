#include "FormatTestSupport.h"
#include "core/document/Errors.h"
#include "core/formats/NonFile.h"
#include "core/formats/WebpbnFile.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

// Whatever a reader accepts must be a model the rest of the program can trust.
void ExpectSoundModel(const PuzzleModel& m) {
    ASSERT_GE(m.columnCount, 1);
    ASSERT_LE(m.columnCount, kMaxLines);
    ASSERT_GE(m.rowCount, 1);
    ASSERT_LE(m.rowCount, kMaxLines);
    for (int x = 0; x < kMaxLines; ++x) {
        for (int y = 0; y < kMaxLines; ++y) {
            ASSERT_GE(m.cells[x][y], 0);
            ASSERT_LE(m.cells[x][y], 8);
            ASSERT_LE(m.rowClueColors[x][y], 8);
            ASSERT_LE(m.columnClueColors[x][y], 8);
            if (m.rowClueNumbers[x][y] != kEmptySlot) {
                ASSERT_LT(x, m.columnCount);  // slot within the row's capacity
                ASSERT_LT(y, m.rowCount);
                ASSERT_LE(m.rowClueNumbers[x][y], kMaxLines);
                ASSERT_GE(m.rowClueColors[x][y], 1);
            }
            if (m.columnClueNumbers[x][y] != kEmptySlot) {
                ASSERT_LT(x, m.columnCount);
                ASSERT_LT(y, m.rowCount);
                ASSERT_LE(m.columnClueNumbers[x][y], kMaxLines);
                ASSERT_GE(m.columnClueColors[x][y], 1);
            }
        }
    }
}

// Random damage of the kinds files really suffer: flipped, lost, repeated and foreign bytes,
// and the characters each syntax gives meaning to.
std::string Mutate(std::string text, std::mt19937& random) {
    static const char kChars[] = "<>&;#/\"'=![]?-|,0123456789abcxX\n \xFF\x00";
    static const std::string kSpecial(kChars, sizeof kChars - 1);
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const std::size_t at = random() % text.size();
        switch (random() % 5) {
            case 0: text[at] = static_cast<char>(random()); break;
            case 1: text[at] = kSpecial[random() % kSpecial.size()]; break;
            case 2: text.erase(at, 1 + random() % 16); break;
            case 3: text.insert(at, 1, kSpecial[random() % kSpecial.size()]); break;
            case 4: {
                const std::size_t from = random() % text.size();
                text.insert(at, text.substr(from, 1 + random() % 40));
                break;
            }
        }
    }
    return text;
}

template <typename Reader>
void Torture(const std::vector<std::string>& seeds, Reader read, std::mt19937& random) {
    int accepted = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string text = Mutate(seeds[i % seeds.size()], random);
        auto model = std::make_unique<PuzzleModel>();
        try {
            read(text, *model, PuzzleReadOptions{.withGoal = i % 2 == 0});
        } catch (const FileFormatError&) {
            continue;  // refused: fine; any other exception fails the test
        }
        ++accepted;
        ExpectSoundModel(*model);
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "after reading:\n" << text;
            return;
        }
    }
    // Most single edits of a valid file land in a number or a name and still read.
    EXPECT_GT(accepted, 0);
}

TEST(MutationTest, DamagedWebpbnFilesAreRefusedOrReadSoundly) {
    std::mt19937 random(23);
    std::vector<std::string> seeds;
    for (int colours : {1, 3, 8}) {
        seeds.push_back(WriteWebpbn(*testing::RandomPuzzle(random, 6, 5, colours)));
    }
    seeds.push_back(
        "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x \"y\">]><puzzleset><puzzle backgroundcolor='w' "
        "defaultcolor='k'><color name='w' char='.'>fff</color><color name='k' char='#'>000</color>"
        "<!-- c --><clues type='rows'><line><count>1</count></line><line><![CDATA[ ]]></line></clues>"
        "<clues type='columns'><line><count color='k'>1</count></line></clues>"
        "<solution type='goal'><image>|#|\n|.|</image></solution></puzzle></puzzleset>");
    Torture(seeds, [](const std::string& t, PuzzleModel& m, const PuzzleReadOptions& o) { ReadWebpbn(t, m, o); },
            random);
}

TEST(MutationTest, DamagedNonFilesAreRefusedOrReadSoundly) {
    std::mt19937 random(29);
    std::vector<std::string> seeds;
    for (int colours : {1, 3, 8}) {
        seeds.push_back(WriteNon(*testing::RandomPuzzle(random, 6, 5, colours)));
    }
    seeds.push_back("title \"&#x41;&amp;\"\ncolumns 2\nrows 2\nrows\n1\n\ncolumns\n1\n\ngoal 1000\n");
    Torture(seeds, [](const std::string& t, PuzzleModel& m, const PuzzleReadOptions& o) { ReadNon(t, m, o); },
            random);
}

}  // namespace
}  // namespace tessemar
