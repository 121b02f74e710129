#include "core/formats/NonFile.h"

#include "FormatTestSupport.h"
#include "core/formats/PuzzleFormatError.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

std::unique_ptr<PuzzleModel> Read(const std::string& text, bool withGoal = false) {
    return testing::ReadWith(ReadNon, text, withGoal);
}

TEST(NonFileTest, ReadsTheCommonForm) {
    auto m = Read(
        "catalogue \"webpbn.com #0\"\r\n"
        "title \"Caf&eacute; &amp; &quot;Bar&quot; &#233;&#x263A;\"\r\n"
        "by \"Someone\"\r\n"
        "width 4\r\n"
        "height 3\r\n"
        "\r\n"
        "rows\r\n"
        "1,2\r\n"
        "0\r\n"
        "4\r\n"
        "\r\n"
        "columns\r\n"
        "1,1\r\n"
        "1\r\n"
        "1, 1\r\n"
        "1 1\r\n"
        "\r\n"
        "goal \"1011 0000 1111\"\r\n",
        true);
    EXPECT_EQ(m->columnCount, 4);
    EXPECT_EQ(m->rowCount, 3);
    EXPECT_EQ(m->title, "Caf&eacute; & \"Bar\" \xC3\xA9\xE2\x98\xBA");
    // The clues admit only one picture, so a goal that agrees with them is the file's.
    testing::ExpectCluesOfThePicture(*m);
    // A one-colour .non says nothing of colours: the document keeps its own.
    EXPECT_EQ(m->colors, kDefaultColors);
    EXPECT_EQ(m->shadowColors, kDefaultShadowColors);
}

// The variants that occur: sizes spelt "columns N" / "rows N", keys in any order, blank lines
// for empty clue lines, an unquoted goal.
TEST(NonFileTest, ReadsTheOtherVariants) {
    auto m = Read(
        "rows\n2\n\n1\n\n"
        "columns 3\nrows 3\nmaxrule 2\n"
        "columns\n\n1\n1,1\n"
        "goal 011000001\n",
        true);
    EXPECT_EQ(m->columnCount, 3);
    EXPECT_EQ(m->rowCount, 3);
    // The clues are the goal's, the blank lines the empty row 2 and column 1.
    testing::ExpectCluesOfThePicture(*m);
    // As many number lines as lines: blank lines only separate.
    testing::ExpectCluesOfThePicture(
        *Read("width 2\nheight 2\nrows\n\n1\n\n1\n\ncolumns\n\n2\n0\ngoal 1010\n", true));
}

TEST(NonFileTest, ReadsTheColourExtension) {
    auto m = Read(
        "width 3\nheight 2\n"
        "color r #F01028\n"
        "color z #123456\n"
        "color b #0000ff\n"
        "rows\n1r,1b\n2\n"
        "columns\n2\n1b,1r\n0\n"
        "goal \"rb0r10\"\n",
        true);
    // r is the first colour and the one of numbers and goal cells without a letter; z is never
    // used. With the colours pinned, the clues agreeing with the goal pin the letters.
    EXPECT_EQ(m->colors[1], MakeColorRef(240, 16, 40));
    EXPECT_EQ(m->shadowColors[1], MakeColorRef(208, 0, 8));
    EXPECT_EQ(m->colors[2], MakeColorRef(0, 0, 255));
    EXPECT_EQ(m->colors[3], kDefaultColors[3]);
    testing::ExpectCluesOfThePicture(*m);
}

TEST(NonFileTest, RefusesBadFilesNamingTheLine) {
    std::string nine = "width 9\nheight 1\n";
    std::string nineRow;
    for (int c = 0; c < 9; ++c) {
        nine += std::string("color ") + static_cast<char>('a' + c) + " #000000\n";
        nineRow += std::string(c ? "," : "") + "1" + static_cast<char>('a' + c);
    }
    nine += "rows\n" + nineRow + "\ncolumns\n1a\n1b\n1c\n1d\n1e\n1f\n1g\n1h\n1i\n";
    const std::string size = "width 3\nheight 2\n";
    const std::string columns = "columns\n1\n1\n1\n";
    const std::vector<testing::Refusal> cases = {
        {nine, 11, "more than 8 colours"},
        {"width 0\nheight 2\n", 1, "width must be 1..250"},
        {"width 3\nheight 251\n", 2, "height must be 1..250"},
        {"width 3\nwidth 3\n", 2, "a second width"},
        {"height 2\nrows\n1\n1\ncolumns\n1\n", 6, "no width"},
        {"", 1, "no width"},
        {size + columns, 6, "no rows section"},
        {size + "rows\n1\n1\n", 5, "no columns section"},
        {size + "rows\n1\n1\n1\n" + columns, 6, "more rows than"},
        {size + "rows\n1\n" + columns, 3, "1 rows given, 2 expected"},
        {size + "rows\n1\n1\n" + "columns\n1\n1\n", 6, "2 columns given, 3 expected"},
        {size + "rows\n1\n1\nrows\n1\n1\n" + columns, 6, "a second \"rows\""},
        {size + "rows\n1\n1,?\n" + columns, 5, "\"?\" is not a clue number"},
        {size + "rows\n1\n251\n" + columns, 5, "\"251\" is not"},
        {size + "rows\n1\n1\ncolumns\n+1\n1\n1\n", 7, "\"+1\" is not a clue number"},
        {size + "rows\n1\n1q\n" + columns, 5, "unknown colour 'q'"},
        {size + "rows\n1,1,1,1\n1\n" + columns, 4, "row 1 has more numbers than cells"},
        {size + "rows\n1\n1\ncolumns\n1\n1,1,1\n1\n", 8, "column 2 has more numbers"},
        {size + "color ab #ff0000\n", 3, "one letter"},
        {size + "color 1 #ff0000\n", 3, "one letter"},
        {size + "color a #ff00\n", 3, "not #rrggbb"},
        {size + "color a #ff0000\ncolor a #00ff00\n", 4, "defined twice"},
        {size + "rows\n1\n1\n" + columns + "goal \"10\"\n", 10,
         "the goal has 2 cells, the puzzle 6", true},
        {size + "rows\n1\n1\n" + columns + "goal \"1001002\"\n", 10, "'2' is no colour", true},
        {size + "rows\n1\n1\n" + columns + "goal \"100100\"\ngoal \"1\"\n", 11, "a second goal"},
    };
    testing::ExpectRefusals(cases, [](const std::string& t, bool goal) { Read(t, goal); });
}

TEST(NonFileTest, WritesPlainOneColourAndLetteredColourPuzzles) {
    auto m = std::make_unique<PuzzleModel>();
    m->columnCount = 4;
    m->rowCount = 2;
    m->title = "Say \"hi\" & go";
    m->cells[0][0] = 1;
    m->cells[1][0] = 1;
    m->cells[3][0] = 1;
    m->cells[2][1] = -1;
    testing::ComputeClues(*m);
    EXPECT_EQ(WriteNon(*m),
              "title \"Say &quot;hi&quot; &amp; go\"\nwidth 4\nheight "
              "2\n\nrows\n2,1\n0\n\ncolumns\n1\n1\n0\n1\n\n"
              "goal \"11010000\"\n");
    m->cells[1][0] = 3;
    testing::ComputeClues(*m);
    const std::string colour = WriteNon(*m, {.writeGoal = false});
    EXPECT_EQ(colour,
              "title \"Say &quot;hi&quot; &amp; go\"\nwidth 4\nheight 2\ncolor a #303030\ncolor c "
              "#00f000\n\n"
              "rows\n1a,1c,1a\n0\n\ncolumns\n1a\n1c\n0\n1a\n");
}

}  // namespace
}  // namespace tessemar
