#include "core/document/TsdFile.h"

#include "core/document/Errors.h"
#include "core/io/FileUtil.h"
#include "support/TempDir.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>

#include <random>

namespace tessemar {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes U32(std::uint32_t v) { return {Bytes::value_type(v), Bytes::value_type(v >> 8), Bytes::value_type(v >> 16), Bytes::value_type(v >> 24)}; }

Bytes DefaultColourTables() {
    Bytes out;
    for (ColorRef c : kDefaultColors) out = Concat({out, U32(c)});
    for (ColorRef c : kDefaultShadowColors) out = Concat({out, U32(c)});
    return out;
}

const Bytes kSignature = {'T', 'E', 'S', 'S', 'E', 'M', 'A', 'R'};

// The 2 x 2 example: cells (0,0) = 1, (0,1) = 1, (1,1) = 1 with their computed clues.
PuzzleModel TwoByTwoModel() {
    PuzzleModel m;
    m.columnCount = 2;
    m.rowCount = 2;
    m.cells[0][0] = 1;
    m.cells[0][1] = 1;
    m.cells[1][1] = 1;
    m.rowClueNumbers[0][0] = 1;
    m.rowClueNumbers[0][1] = 2;
    m.columnClueNumbers[0][0] = 2;
    m.columnClueNumbers[1][0] = 1;
    m.rowClueColors[0][0] = m.rowClueColors[0][1] = 1;
    m.columnClueColors[0][0] = m.columnClueColors[1][0] = 1;
    m.title = "T";
    return m;
}

const Bytes kTwoByTwoFile = Concat({kSignature, {1, 0, 2, 2}, U32(2), U32(8), U32(2), {0x10, 0x11},
                                    {1, 1, 1, 2, 1, 2, 1, 1}, {0x11, 0x11}, {17}, DefaultColourTables(),
                                    {1, 'T'}, {5, 'A', 'r', 'i', 'a', 'l'}, U32(700)});

TEST(TsdFileTest, KnownDocumentsByteForByte) {
    const Bytes newDocument =
        Concat({kSignature, {1, 0, 15, 15}, U32(113), U32(30), U32(0), Bytes(113, 0), Bytes(30, 0),
                {17}, DefaultColourTables(), {8, 'U', 'n', 't', 'i', 't', 'l', 'e', 'd'},
                {5, 'A', 'r', 'i', 'a', 'l'}, U32(700)});
    EXPECT_EQ(WriteTsd(CLogicDoc().Model()), newDocument);
    EXPECT_EQ(WriteTsd(TwoByTwoModel()), kTwoByTwoFile);
}

TEST(TsdFileTest, PictureNibblesHighFirstWithXAsFifteen) {
    PuzzleModel m;
    m.columnCount = 3;
    m.rowCount = 1;
    m.cells[0][0] = 1;
    m.cells[1][0] = kCellX;
    m.cells[2][0] = 2;
    Bytes bytes = WriteTsd(m);
    EXPECT_EQ(bytes[24], 0x1F);
    EXPECT_EQ(bytes[25], 0x20);
}

TEST(TsdFileTest, EmptySlotsBeforeTheLastNumberStayInPlace) {
    PuzzleModel m;
    m.rowClueNumbers[1][0] = 3;  // slot 0 empty
    m.rowClueColors[1][0] = 2;
    Bytes bytes = WriteTsd(m);
    EXPECT_EQ(bytes[24 + 113], 2);
    EXPECT_EQ(bytes[24 + 113 + 1], 255);
    EXPECT_EQ(bytes[24 + 113 + 2], 3);
}

TEST(TsdFileTest, ReaderDecodesUnknownCodesAsBlankAndKeepsTheVersionRead) {
    Bytes bytes = kTwoByTwoFile;
    bytes[8] = 3;
    bytes[9] = 7;
    bytes[24] = 0x9E;  // cell codes 9 and 14
    bytes[24 + 2 + 8] = 0xCF;  // colour codes 12 and 15
    auto m = ReadTsd(bytes);
    EXPECT_EQ(m->formatVersion[0], 3);
    EXPECT_EQ(m->formatVersion[1], 7);
    EXPECT_EQ(m->cells[0][0], 0);
    EXPECT_EQ(m->cells[1][0], 0);
    EXPECT_EQ(m->rowClueColors[0][0], 0);
    EXPECT_EQ(m->rowClueColors[0][1], 0);
    // Saving writes version 1.00 whatever was read.
    Bytes again = WriteTsd(*m);
    EXPECT_EQ(again[8], 1);
    EXPECT_EQ(again[9], 0);
}

TEST(TsdFileTest, ReadsTheWideAndTheJapaneseStringForms) {
    auto withTitle = [](const Bytes& title) {
        Bytes b(kTwoByTwoFile.begin(), kTwoByTwoFile.end() - 4 - 6 - 2);
        return Concat({b, title, {5, 'A', 'r', 'i', 'a', 'l'}, U32(700)});
    };
    // Wide form: 0xFF, 0xFFFE, then the length in UTF-16 units and the units ("猫A").
    Bytes wide = {0xFF, 0xFE, 0xFF, 2, 0x2B, 0x73, 'A', 0};
    Bytes cp932 = {4, 0x94, 0x4C, 0x82, 0xA0};  // 猫あ in CP932
    struct Case {
        Bytes title;
        std::string expected;
    } cases[] = {{wide, "猫A"}, {cp932, "猫あ"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ReadTsd(withTitle(c.title))->title, c.expected);
    }
}

TEST(TsdFileTest, LongStringsTakeTheirPrefixFormsAndReadBack) {
    struct Case {
        std::size_t length;
        Bytes prefix;
    } cases[] = {{254, {254}}, {255, {0xFF, 0xFF, 0x00}}, {65533, {0xFF, 0xFD, 0xFF}},
                 {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}}};
    for (const Case& c : cases) {
        PuzzleModel m;
        m.title = std::string(c.length, 'x');
        Bytes bytes = WriteTsd(m);
        Bytes prefix(bytes.begin() + 24 + 113 + 30 + 1 + 80, bytes.begin() + 24 + 113 + 30 + 1 + 80 + c.prefix.size());
        EXPECT_EQ(prefix, c.prefix) << c.length;
        CLogicDoc doc;
        doc.ReplaceModel(m);
        EXPECT_EQ(doc.GetFileSizeEstimate(), static_cast<std::int64_t>(bytes.size())) << c.length;
        EXPECT_EQ(ReadTsd(bytes)->title, m.title) << c.length;
    }
}

TEST(TsdFileTest, EveryPrefixOfAFileIsRefused) {
    for (std::size_t length = 0; length < kTwoByTwoFile.size(); ++length) {
        Bytes prefix(kTwoByTwoFile.begin(), kTwoByTwoFile.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(ReadTsd(prefix), FileFormatError) << length;
    }
    Bytes withTail = Concat({kTwoByTwoFile, {1, 2, 3}});
    EXPECT_NO_THROW(ReadTsd(withTail));
}

TEST(TsdFileTest, FilesOutsideTheWritersBoundsAreRefused) {
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint8_t value;
    } cases[] = {
        {"width 0", 10, 0},
        {"width 251", 10, 251},
        {"row line longer than W", 24 + 2, 3},
        {"column line longer than H", 24 + 2 + 4, 3},
        {"clue walk past L", 16, 7},
        {"colour walk past M", 20, 1},
        {"cell size 10", 24 + 2 + 8 + 2, 10},
        {"cell size 52", 24 + 2 + 8 + 2, 52},
    };
    for (const Case& c : cases) {
        Bytes bytes = kTwoByTwoFile;
        bytes[c.offset] = c.value;
        EXPECT_THROW(ReadTsd(bytes), FileFormatError) << c.what;
    }
}

// Damaged files are refused or read, never read out of bounds (this runs under the sanitizers,
// which the fuzz target does not in the normal test run).
TEST(TsdFileTest, RandomMutationsAreReadOrRefusedSafely) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = kTwoByTwoFile;
        for (int i = 1 + static_cast<int>(random() % 4); i > 0; --i)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        try {
            EXPECT_LE(ReadTsd(bytes)->columnCount, kMaxLines);
        } catch (const FileFormatError&) {
        }
    }
}

// A random document: random size, cells, clue lines with gaps, colours and a title that mixes
// Japanese and ASCII.
PuzzleModel RandomModel(std::mt19937& random) {
    auto pick = [&](int low, int high) { return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1)); };
    PuzzleModel m;
    m.columnCount = pick(1, random() % 4 == 0 ? 250 : 30);
    m.rowCount = pick(1, random() % 4 == 0 ? 250 : 30);
    m.cellSize = pick(kMinCellSize, kMaxCellSize);
    for (int x = 0; x < m.columnCount; ++x) {
        for (int y = 0; y < m.rowCount; ++y) m.cells[x][y] = static_cast<std::int8_t>(pick(-1, 8));
    }
    for (int y = 0; y < m.rowCount; ++y) {
        int length = pick(0, std::min(m.columnCount, 6));
        for (int k = 0; k < length; ++k) {
            const bool unused = pick(0, 5) == 0;
            m.rowClueNumbers[k][y] = static_cast<std::uint8_t>(unused ? 255 : pick(0, 254));
            // Unused slots after the last number are not written: their colour must be 0.
            m.rowClueColors[k][y] = static_cast<std::uint8_t>(unused ? 0 : pick(0, 8));
        }
    }
    for (int x = 0; x < m.columnCount; ++x) {
        int length = pick(0, std::min(m.rowCount, 6));
        for (int k = 0; k < length; ++k) {
            m.columnClueNumbers[x][k] = static_cast<std::uint8_t>(pick(0, 254));
            m.columnClueColors[x][k] = static_cast<std::uint8_t>(pick(0, 8));
        }
    }
    for (ColorRef& c : m.colors) c = static_cast<ColorRef>(random() & 0xFFFFFF);
    for (ColorRef& c : m.shadowColors) c = static_cast<ColorRef>(random() & 0xFFFFFF);
    const char* words[] = {"猫", "Cat ", "ロジック", "x", "ﾃｽﾄ"};
    m.title.clear();
    for (int i = pick(0, 8); i > 0; --i) m.title += words[pick(0, 4)];
    m.fontFaceName = pick(0, 1) ? "Arial" : "ＭＳ ゴシック";
    m.fontWeight = pick(0, 1) ? 400 : 700;
    return m;
}

TEST(TsdFileTest, RoundTripOfRandomDocumentsIsTheIdentity) {
    std::mt19937 random(2026);
    for (int round = 0; round < 150; ++round) {
        PuzzleModel m = RandomModel(random);
        Bytes bytes = WriteTsd(m);
        CLogicDoc doc;
        doc.ReplaceModel(m);
        ASSERT_EQ(doc.GetFileSizeEstimate(), static_cast<std::int64_t>(bytes.size()));
        auto back = ReadTsd(bytes);
        ASSERT_EQ(WriteTsd(*back), bytes);
        // The bytes hold sizes, title, font and colours. The arrays are compared whole: a random
        // model holds nothing outside its size and colour 0 in the unused slots after its last
        // number, as a model read does.
        EXPECT_TRUE(back->cells == m.cells) << "cells differ";
        EXPECT_TRUE(back->rowClueNumbers == m.rowClueNumbers && back->rowClueColors == m.rowClueColors);
        EXPECT_TRUE(back->columnClueNumbers == m.columnClueNumbers &&
                    back->columnClueColors == m.columnClueColors);
    }
}

TEST(TsdFileTest, SaveRecordsThePathAndOpenReadsBack) {
    TempDir dir;
    const std::string path = dir.File("puzzle.tsd");
    CLogicDoc doc;
    LoadCell(doc, 0, 0, 1);
    SaveDocumentFile(doc, path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);

    auto reopened = OpenDocumentFile(path);
    EXPECT_EQ(reopened->Cell(0, 0), 1);

    const std::string empty = dir.File("empty.tsd");
    ASSERT_TRUE(WriteFileAtomically(empty, "").ok);
    auto fresh = OpenDocumentFile(empty);  // an empty file is a new puzzle
    EXPECT_EQ(fresh->columnCount(), 15);
}

}  // namespace
}  // namespace tessemar
