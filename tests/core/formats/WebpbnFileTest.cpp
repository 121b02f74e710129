#include "core/formats/WebpbnFile.h"

#include "FormatTestSupport.h"
#include "core/text/Encoding.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

std::unique_ptr<PuzzleModel> Read(const std::string& text, bool withGoal = false) {
    return testing::ReadWith(ReadWebpbn, text, withGoal);
}

// A 3 x 2 one-colour puzzle in the customary form, black and white left undefined; the zero
// inside the first row is no run and takes no slot.
const char* const kMono =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE pbn SYSTEM \"http://webpbn.com/pbn-0.3.dtd\">\n"
    "<puzzleset>\n"
    "<puzzle type=\"grid\">\n"
    "<title>  Two &amp; one  </title>\n"
    "<clues type=\"columns\">\n"
    "<line><count>2</count></line>\n"
    "<line></line>\n"
    "<line><count>1</count></line>\n"
    "</clues>\n"
    "<clues type=\"rows\">\n"
    "<line><count>1</count><count>0</count><count>1</count></line>\n"
    "<line><count>1</count></line>\n"
    "</clues>\n"
    "<solution type=\"goal\"><image>\n"
    "|X.X|\n"
    "|X..|\n"
    "</image></solution>\n"
    "</puzzle>\n"
    "</puzzleset>\n";

TEST(WebpbnFileTest, ReadsAOneColourPuzzleWithSlotZeroNextToThePicture) {
    PuzzleModel defaults;
    defaults.colors[1] = MakeColorRef(1, 2, 3);
    auto m = std::make_unique<PuzzleModel>(defaults);
    ReadWebpbn(kMono, *m);
    EXPECT_EQ(m->columnCount, 3);
    EXPECT_EQ(m->rowCount, 2);
    EXPECT_EQ(m->title, "Two & one");
    // Black is webpbn's own colour 000000.
    EXPECT_EQ(m->colors[1], MakeColorRef(0, 0, 0));
    EXPECT_EQ(m->colors[0], MakeColorRef(255, 255, 255));
    // The clues admit only one picture, so a goal that agrees with them is the file's.
    testing::ExpectCluesOfThePicture(*Read(kMono, true));
}

// The background is blank; the other colours the clues use are numbered in the order of their
// definitions, skipping the ones nothing uses; each gets its RGB and the Auto Shadow of it.
TEST(WebpbnFileTest, MapsColoursInTheOrderOfDefinition) {
    auto m = Read(
        "<puzzleset><puzzle defaultcolor='green' backgroundcolor='paper'>\n"
        "<color name='paper' char='.'>FFFFC0</color>\n"
        "<color name='red' char='r'>F01028</color>\n"
        "<color name='unused' char='u'>123456</color>\n"
        "<color name='green' char='g'>0f0</color>\n"
        "<clues type='rows'><line><count color='red'>1</count><count>1</count><count "
        "color='white'>1</count></line>"
        "</clues>\n"
        "<clues type='columns'><line><count "
        "color='red'>1</count></line><line><count>1</count></line>"
        "<line><count color='white'>1</count></line></clues>\n"
        "<solution><image>rgX</image></solution>"
        "</puzzle></puzzleset>",
        true);
    EXPECT_EQ(m->colors[0], MakeColorRef(255, 255, 192));
    EXPECT_EQ(m->colors[1], MakeColorRef(240, 16, 40));  // red, defined first among the used
    EXPECT_EQ(m->shadowColors[1], MakeColorRef(208, 0, 8));
    EXPECT_EQ(m->colors[2], MakeColorRef(0, 255, 0));      // green; "unused" takes no number
    EXPECT_EQ(m->colors[3], MakeColorRef(255, 255, 255));  // white is an ordinary colour here
    EXPECT_EQ(m->colors[5], kDefaultColors[5]);  // colours the file does not use keep the defaults
    EXPECT_EQ(m->shadowColors[0], kDefaultShadowColors[0]);
    EXPECT_EQ(m->rowClueColors[2][0], 1);
    EXPECT_EQ(m->rowClueColors[1][0], 2);
    EXPECT_EQ(m->rowClueColors[0][0], 3);
    // 'X' is the predefined black, which the goal uses although no clue does.
    EXPECT_EQ(m->cells[0][0], 1);
    EXPECT_EQ(m->cells[1][0], 2);
    EXPECT_EQ(m->cells[2][0], 4);
    EXPECT_EQ(m->colors[4], MakeColorRef(0, 0, 0));
}

// Every reason to refuse a file, with the line the message names.
TEST(WebpbnFileTest, RefusesBadFilesNamingTheLine) {
    auto lines = [](int count, const std::string& line) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += line + "\n";
        return out;
    };
    const std::string head = "<puzzleset>\n<puzzle>\n";  // the puzzle starts on line 2
    const std::string ok3 =
        "<clues type='columns'>\n" + lines(3, "<line><count>1</count></line>") + "</clues>\n";
    const std::string rows2 =
        "<clues type='rows'>\n" + lines(2, "<line><count>1</count></line>") + "</clues>\n";
    const std::string tail = "</puzzle>\n</puzzleset>\n";
    // Two good rows, then the given column lines from line 8 on.
    auto columns = [&](const std::string& text) {
        return head + rows2 + "<clues type='columns'>\n" + text + "\n</clues>\n" + tail;
    };
    // A good puzzle whose goal starts on line 12.
    auto goal = [&](const std::string& text) { return head + rows2 + ok3 + text + tail; };
    std::string nineColours = "<puzzleset>\n<puzzle>\n";
    std::string nineCounts;
    for (int c = 1; c <= 9; ++c) {
        nineColours += "<color name='c" + std::to_string(c) + "'>000000</color>\n";
        nineCounts += "<count color='c" + std::to_string(c) + "'>1</count>";
    }
    std::string manyDefinitions = head;
    for (int c = 0; c < 257; ++c)
        manyDefinitions += "<color name='x" + std::to_string(c) + "'>000</color>";
    std::string longRow = "<line>";
    for (int c = 0; c < 251; ++c)
        longRow += "<count>1</count>";
    longRow += "</line>";
    const std::vector<testing::Refusal> cases = {
        {nineColours + "<clues type='rows'><line>" + nineCounts +
             "</line></clues>\n<clues type='columns'>" + lines(9, "<line/>") + "</clues>" + tail,
         11, "more than 8 colours"},
        {columns(lines(251, "<line/>")), 8 + 250, "more than 250 columns"},
        {head + "<clues type='rows'>\n</clues>\n" + ok3 + tail, 3, "no rows"},
        {head + ok3 + tail, 2, "no row clues"},
        {head + rows2 + tail, 2, "no column clues"},
        {columns("<line><count>x</count></line>"), 8, "\"x\" is not a clue number"},
        {columns("<line><count color='mauve'>1</count></line>"), 8, "unknown colour \"mauve\""},
        {columns("<line><count color='white'>1</count></line>"), 8, "background colour"},
        {head + "<clues type='rows'>\n<line>" + lines(4, "<count>1</count>") +
             "</line>\n</clues>\n" + ok3 + tail,
         4, "row 1 has more numbers than cells"},
        {columns("<line/>\n<line><count>1</count><count>1</count><count>1</count></line>"), 9,
         "column 2 has more numbers than cells"},
        {head + rows2 + "<clues type='diagonal'/>\n" + tail, 7, "of type"},
        {head + rows2 + rows2 + ok3 + tail, 7, "a second set of rows"},
        {head + "<color>000</color>\n" + rows2 + ok3 + tail, 3, "without a name"},
        {head + "<color name='a'>000</color>\n<color name='a'>111</color>\n" + rows2 + ok3 + tail,
         4, "defined twice"},
        {head + "<color name='a'>#000000</color>\n" + rows2 + ok3 + tail, 3, "not a hex RGB"},
        {"<puzzleset>\n<puzzle backgroundcolor='paper'>\n" + rows2 + ok3 + tail, 2,
         "unknown background"},
        {"<puzzleset>\n<puzzle type='triddler'>\n" + rows2 + ok3 + tail, 2, "only grid puzzles"},
        {"<puzzleset>\n<source>x</source>\n</puzzleset>\n", 1, "no <puzzle>"},
        {goal("<solution><image>\n|XXX|\n</image></solution>\n"), 12, "has 1 rows, the puzzle 2",
         true},
        {goal("<solution>\n<image>\n|XXX|\n|XX|\n</image></solution>\n"), 15, "row of 2 cells",
         true},
        {goal("<solution><image>\n|XXX|\n|X?X|\n</image></solution>\n"), 14, "'?' is no colour",
         true},
        {goal("<solution><image>\n|XXX|\n|XXX|\n|XXX|\n</image></solution>\n"), 15, "more rows",
         true},
        {goal("<solution type='goal'>\n</solution>\n"), 12, "without an image", true},
        {head + rows2 + ok3 + "</puzzleset>", 12, "closes <puzzle>"},
        {manyDefinitions + "\n" + rows2 + ok3 + tail, 3, "too many colour definitions"},
        {head + "<clues type='rows'>\n<line/>\n" + longRow + "\n</clues>\n" + ok3 + tail, 5,
         "row 2 has more numbers than cells"},
    };
    testing::ExpectRefusals(cases, [](const std::string& t, bool withGoal) { Read(t, withGoal); });
}

TEST(WebpbnFileTest, TitlesArriveAsUtf8) {
    const std::string body =
        "<puzzleset><puzzle><title>Caf\xE9</title><clues type='rows'><line/></clues>"
        "<clues type='columns'><line/></clues></puzzle></puzzleset>";
    EXPECT_EQ(Read("<?xml version='1.0' encoding='ISO-8859-1'?>" + body)->title, "Caf\xC3\xA9");
    // Undeclared bytes that are no UTF-8 are read as the program reads old document titles.
    EXPECT_EQ(Read(body)->title, text::DecodeFileText("Caf\xE9"));
}

// The clues and the goal a writer gives are the round trip's to check; what remains is what
// only the text shows.
TEST(WebpbnFileTest, WritesEscapedTitlesAndNamesOnlyTheUsedColours) {
    auto m = std::make_unique<PuzzleModel>();
    m->columnCount = 4;
    m->rowCount = 1;
    m->title = "A<B>&\"C\"";
    m->cells[0][0] = 1;
    m->cells[1][0] = 1;
    m->cells[3][0] = 1;
    testing::ComputeClues(*m);
    const std::string mono = WriteWebpbn(*m);
    EXPECT_NE(mono.find("<title>A&lt;B&gt;&amp;&quot;C&quot;</title>"), std::string::npos) << mono;
    EXPECT_NE(mono.find("<color name=\"black\" char=\"X\">303030</color>"), std::string::npos)
        << mono;
    EXPECT_EQ(WriteWebpbn(*m, {.writeGoal = false}).find("<solution"), std::string::npos);

    m->cells[1][0] = 3;
    testing::ComputeClues(*m);
    const std::string colour = WriteWebpbn(*m);
    EXPECT_NE(colour.find("name=\"c3\""), std::string::npos) << colour;
    EXPECT_EQ(colour.find("name=\"c2\""), std::string::npos) << "only used colours are defined";
}

}  // namespace
}  // namespace tessemar
