#include "core/settings/IniFile.h"

#include "core/io/FileUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tessemar {
namespace {

std::string ReadText(const std::string& path) { return ReadWholeFile(path).value_or("<missing>"); }

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class IniFileTest : public ::testing::Test {
  protected:
    // The settings file of the test, holding text.
    IniFile IniWith(const std::string& text) const {
        WriteText(path_, text);
        return IniFile(path_);
    }

    TempDir dir_;
    const std::string path_ = dir_.File("a.ini");
};

TEST_F(IniFileTest, ReadsIntegersFromLeadingDigits) {
    IniFile ini = IniWith(
        "[Numbers]\nplain=42\nnegative=-17\nplus=+5\ntrailing=12abc\nword=abc\nempty=\n"
        "spaced =  7  \nhuge=4294967295\n");
    struct Case {
        const char* key;
        int expected;
    } cases[] = {{"plain", 42}, {"negative", -17}, {"plus", 5},  {"trailing", 12},
                 {"word", 0},   {"empty", 0},      {"spaced", 7}, {"huge", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(ini.GetInt("Numbers", c.key, 99), c.expected) << c.key;
    }
    EXPECT_EQ(ini.GetInt("Numbers", "missing", 99), 99);
    EXPECT_EQ(ini.GetInt("NoSection", "plain", 98), 98);
}

TEST_F(IniFileTest, LooksUpSectionsAndKeysIgnoringCase) {
    IniFile ini = IniWith("[WallPaper]\r\nPath=/home/u/My Pictures/a.jpg\r\n");
    EXPECT_EQ(ini.GetString("wallpaper", "PATH", ""), "/home/u/My Pictures/a.jpg");
    ini.WriteString("WALLPAPER", "path", "b.png");
    EXPECT_EQ(ReadText(path_), "[WallPaper]\r\npath=b.png\r\n");
}

TEST_F(IniFileTest, WritesKeepEveryOtherLine) {
    IniFile ini = IniWith("; user comment\n[First]\nb=1\n; inside\na=2\n\n[Second]\nc=3\n");
    ASSERT_TRUE(ini.WriteInt("First", "a", -5));
    ASSERT_TRUE(ini.WriteInt("First", "new", 6));
    ASSERT_TRUE(ini.WriteString("Third", "d", "x y"));
    EXPECT_EQ(ReadText(path_),
              "; user comment\n[First]\nb=1\n; inside\na=-5\nnew=6\n\n[Second]\nc=3\n[Third]\nd=x y\n");
    EXPECT_EQ(ini.GetString("Third", "d", ""), "x y");
}

TEST_F(IniFileTest, MissingFileGivesDefaultsAndFirstWriteCreatesItWherePossible) {
    IniFile ini(dir_.File("sub/folder/Tessemar.INI"));
    EXPECT_EQ(ini.GetInt("Settings", "Tool", 3), 3);
    EXPECT_EQ(ini.GetString("Settings", "Name", "dflt"), "dflt");
    EXPECT_TRUE(ini.WriteInt("Settings", "Tool", 2));
    EXPECT_EQ(ini.GetInt("Settings", "Tool", 3), 2);

    // Where no file can be made, writes fail silently and reads give the defaults.
    IniFile unwritable("/proc/version/cannot/Tessemar.INI");
    EXPECT_FALSE(unwritable.WriteInt("Settings", "Tool", 2));
    EXPECT_EQ(unwritable.GetInt("Settings", "Tool", 4), 4);
}

TEST_F(IniFileTest, DeletesKeysAndSections) {
    IniFile ini = IniWith("[A]\nx=1\ny=2\n[B]\nz=3\n[C]\nw=4\n");
    ini.DeleteKey("a", "X");
    ini.DeleteSection("b");
    EXPECT_EQ(ReadText(path_), "[A]\ny=2\n[C]\nw=4\n");
}

}  // namespace
}  // namespace tessemar
