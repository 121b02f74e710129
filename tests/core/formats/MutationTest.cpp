#include "FormatTestSupport.h"
#include "core/document/Errors.h"
#include "core/formats/NonFile.h"
#include "core/formats/WebpbnFile.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

// Whatever a reader accepts must be a model the rest of the program can trust: a size in
// range, cells and colours the model knows, and no clue slot beyond a line's capacity.
std::string ModelFault(const PuzzleModel& m) {
    if (m.columnCount < 1 || m.columnCount > kMaxLines || m.rowCount < 1 ||
        m.rowCount > kMaxLines) {
        return "size " + std::to_string(m.columnCount) + "x" + std::to_string(m.rowCount);
    }
    for (int a = 0; a < kMaxLines; ++a) {
        for (int b = 0; b < kMaxLines; ++b) {
            auto where = [&] { return " at " + std::to_string(a) + "," + std::to_string(b); };
            if (m.cells[a][b] < 0 || m.cells[a][b] > 8)
                return "cell" + where();
            if (m.rowClueColors[a][b] > 8 || m.columnClueColors[a][b] > 8)
                return "clue colour" + where();
            // Row slots are [k][y], column slots [x][k].
            if (m.rowClueNumbers[a][b] != kEmptySlot &&
                (a >= m.columnCount || b >= m.rowCount || m.rowClueNumbers[a][b] > kMaxLines ||
                 m.rowClueColors[a][b] < 1)) {
                return "row slot" + where();
            }
            if (m.columnClueNumbers[a][b] != kEmptySlot &&
                (a >= m.columnCount || b >= m.rowCount || m.columnClueNumbers[a][b] > kMaxLines ||
                 m.columnClueColors[a][b] < 1)) {
                return "column slot" + where();
            }
        }
    }
    return {};
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
            case 0:
                text[at] = static_cast<char>(random());
                break;
            case 1:
                text[at] = kSpecial[random() % kSpecial.size()];
                break;
            case 2:
                text.erase(at, 1 + random() % 16);
                break;
            case 3:
                text.insert(at, 1, kSpecial[random() % kSpecial.size()]);
                break;
            case 4: {
                const std::size_t from = random() % text.size();
                text.insert(at, text.substr(from, 1 + random() % 40));
                break;
            }
        }
    }
    return text;
}

void Torture(const std::vector<std::string>& seeds, testing::PuzzleReader read,
             std::mt19937& random) {
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
        if (std::string fault = ModelFault(*model); !fault.empty()) {
            ADD_FAILURE() << fault << " after reading:\n" << text;
            return;
        }
    }
    // Most single edits of a valid file land in a number or a name and still read.
    EXPECT_GT(accepted, 0);
}

TEST(MutationTest, DamagedFilesAreRefusedOrReadSoundly) {
    struct Format {
        const char* name;
        unsigned seed;
        testing::PuzzleWriter write;
        testing::PuzzleReader read;
        std::string oddities;  // a valid file with the syntax's rarer parts
    };
    const Format formats[] = {
        {"webpbn", 23, WriteWebpbn, ReadWebpbn,
         "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x \"y\">]><puzzleset><puzzle "
         "backgroundcolor='w' defaultcolor='k'><color name='w' char='.'>fff</color>"
         "<color name='k' char='#'>000</color><!-- c --><clues type='rows'><line><count>1</count>"
         "</line><line><![CDATA[ ]]></line></clues><clues type='columns'><line>"
         "<count color='k'>1</count></line></clues><solution type='goal'><image>|#|\n|.|</image>"
         "</solution></puzzle></puzzleset>"},
        {".non", 29, WriteNon, ReadNon,
         "title \"&#x41;&amp;\"\ncolumns 2\nrows 2\nrows\n1\n\ncolumns\n1\n\ngoal 1000\n"},
    };
    for (const Format& f : formats) {
        SCOPED_TRACE(f.name);
        std::mt19937 random(f.seed);
        std::vector<std::string> seeds;
        for (int colours : {1, 3, 8})
            seeds.push_back(f.write(*testing::RandomPuzzle(random, 6, 5, colours), {}));
        seeds.push_back(f.oddities);
        Torture(seeds, f.read, random);
    }
}

}  // namespace
}  // namespace tessemar
