#include "core/settings/AppSettings.h"

#include "core/document/CLogicDoc.h"
#include "core/io/FileUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

namespace tessemar {
namespace {

IniFile MakeIni(const TempDir& dir, const std::string& content) {
    const std::string path = dir.File("Tessemar.INI");
    std::ofstream(path, std::ios::binary) << content;
    return IniFile(path);
}

template <auto Field>
std::int64_t Get(const AppSettings& s) {
    return static_cast<std::int64_t>(s.*Field);
}

TEST(AppSettingsTest, ValuesOutOfRangeAreReplacedByTheirDefaults) {
    using S = AppSettings;
    struct Case {
        const char* section;
        const char* key;
        std::int64_t (*field)(const AppSettings&);
        std::int64_t fallback;  // what a refused value reads as
        std::vector<std::string> refused;
        std::vector<std::int64_t> kept;  // values read as they are stored
    } cases[] = {
        {"Settings", "Tool", &Get<&S::tool>, 0, {"7", "-1"}, {4}},
        {"Settings", "Color", &Get<&S::color>, 1, {"9", "0"}, {8}},
        {"Settings", "RecentFileCount", &Get<&S::recentFileCount>, 10, {"0", "17", "-3"}, {16}},
        {"Settings", "BackDrawMode", &Get<&S::backDrawMode>, 1, {"2"}, {0}},
        {"Settings", "BoldLine", &Get<&S::boldLine>, 1, {}, {7}},  // any value is a switch
        {"Key", "EditKeyDown", &Get<&S::editKeyDown>, 83, {"0", "300", "-65"}, {81}},
        {"Printer", "MarginBottom", &Get<&S::marginBottom>, 1000, {"-5", "10001"}, {0}},
        {"Printer", "Zoom", &Get<&S::zoom>, 300, {"0", "99999999999"}, {1000}},
        {"WallPaper", "Brush", &Get<&S::brush>, 2, {"5", "-1"}, {0}},
        {"WallPaper", "Color1", &Get<&S::wallpaperColor1>, 111, {"16777216"}, {0x123456}},
        {"WallPaper", "Color2", &Get<&S::wallpaperColor2>, 222, {"-1"}, {16777215}},
        {"Solve", "ResultMode", &Get<&S::resultMode>, 0, {"3", "-1"}, {2}},
    };
    TempDir dir;
    const auto load = [&](const char* section, const char* key, const std::string& stored) {
        const std::string text = std::string("[") + section + "]\n" + key + "=" + stored + "\n";
        return LoadSettings(MakeIni(dir, text), SystemColors{111, 222});
    };
    for (const Case& c : cases) {
        for (const std::string& stored : c.refused) {
            EXPECT_EQ(c.field(load(c.section, c.key, stored)), c.fallback)
                << c.key << "=" << stored;
        }
        for (std::int64_t value : c.kept) {
            const std::string stored = std::to_string(value);
            EXPECT_EQ(c.field(load(c.section, c.key, stored)), value) << c.key << "=" << stored;
        }
    }
    // The edit keys are 16-bit fields: the stored number is cut to them before the range check.
    EXPECT_EQ(load("Key", "EditKeyUp", "65619").editKeyUp, 83);
}

TEST(AppSettingsTest, HostileDocumentDefaultsAreReplaced) {
    struct Case {
        const char* stored;
        int columns, rows, cellSize, weight;
    } cases[] = {
        {"Row=300\nCol=260\nSize=52\nWeight=1001\n", 15, 15, 17, 700},
        {"Row=0\nCol=-3\nSize=10\nWeight=-1\n", 15, 15, 17, 700},
        {"Row=250\nCol=1\nSize=51\nWeight=0\n", 250, 1, 51, 0},
        {"Row=1\nCol=250\nSize=11\nWeight=1000\n", 1, 250, 11, 1000},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const DocumentDefaults d = ReadDocumentDefaults(MakeIni(dir, std::string("[Default]\n") + c.stored));
        EXPECT_EQ(std::tie(d.columnCount, d.rowCount, d.cellSize, d.fontWeight),
                  std::tie(c.columns, c.rows, c.cellSize, c.weight));
    }
    // Whatever reaches a new document, its arrays are never exceeded.
    DocumentDefaults hostile;
    hostile.columnCount = 300;
    EXPECT_EQ(CLogicDoc(hostile).columnCount(), 15);

    EXPECT_EQ(ReadDocumentDefaults(MakeIni(dir, "[Default]\nFaceName=\n")).fontFaceName, "Arial");
}

TEST(AppSettingsTest, WindowRectanglesRoundTripUnlessOffEveryDesktop) {
    TempDir dir;
    for (const auto& [left, top, right, bottom] :
         {std::tuple(500, 0, 100, 300), std::tuple(0, 0, 100000, 300), std::tuple(-40000, 0, 10, 10)}) {
        const IniFile ini = MakeIni(dir, "");
        SaveSettings(ini, AppSettings{}, MainFramePlacement{false, true, left, top, right, bottom});
        WriteTextDialogRect(ini, {left, top, right, bottom});
        const MainFramePlacement p = ReadMainFramePlacement(ini);
        EXPECT_EQ(std::tuple(p.left, p.top, p.right, p.bottom), std::tuple(0, 0, 0, 0)) << left << " " << right;
        const WindowRect r = ReadTextDialogRect(ini);
        EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom), std::tuple(100, 100, 420, 480)) << left << " " << right;
    }
    // Plausible ones come back; closing maximized keeps the last restored rectangle.
    const IniFile ini = MakeIni(dir, "[MainFrame]\nLeft=1\nTop=2\nRight=3\nBottom=4\nZoomed=0\n");
    SaveSettings(ini, AppSettings{}, MainFramePlacement{true, false, 50, 60, 70, 80});
    const MainFramePlacement p = ReadMainFramePlacement(ini);
    EXPECT_EQ(std::tuple(p.zoomed, p.left, p.top, p.right, p.bottom), std::tuple(true, 1, 2, 3, 4));
    WriteTextDialogRect(ini, {5, 6, 700, 800});
    const WindowRect r = ReadTextDialogRect(ini);
    EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom), std::tuple(5, 6, 700, 800));
}

TEST(AppSettingsTest, SaveWritesEveryKeyInOrderAndReadsBack) {
    TempDir dir;
    IniFile ini = MakeIni(dir, "[Default]\nTitle=Mine\n");
    AppSettings s;
    s.recentFileCount = 5;
    s.tool = 3;
    s.path = "/tmp/pic.jpg";
    s.wallpaperColor1 = 0x123456;
    MainFramePlacement placement{false, true, 10, 20, 810, 620};
    SaveSettings(ini, s, placement, [&](const IniFile& target) {
        target.WriteInt("ToolBarState-Summary", "Bars", 8);  // the docking state comes first
    });
    const std::string content = ReadWholeFile(ini.Path()).value();
    const char* keys[] = {"[Default]",    "Title=Mine",     "[ToolBarState-Summary]", "Bars=8",
                          "[Settings]",   "RecentFileCount=5", "BackDrawMode=1",     "BoldLine=1",
                          "GraduateNumber=1", "ShowPreview=1", "CreateNewFile=1",    "Tool=3",
                          "Color=1",      "LastChildState=0", "FullColorBar=1",      "[Key]",
                          "ShiftDirection=1", "EditKeyUp=87", "EditKeyDown=83",     "EditKeyLeft=65",
                          "EditKeyRight=68", "[Printer]",     "MarginLeft=1250",    "MarginTop=1000",
                          "MarginRight=1250", "MarginBottom=1000", "Zoom=300",      "CutBlankNum=1",
                          "[WallPaper]",  "Brush=2",         "Color1=1193046",     "Color2=16777215",
                          "Direction=1",  "Path=/tmp/pic.jpg", "[Solve]",           "UpdateView=0",
                          "ResultMode=0", "[MainFrame]",     "Left=10",            "Top=20",
                          "Right=810",    "Bottom=620",      "Zoomed=0",           "[Info]",
                          "Version=1.00/00.0000"};
    std::size_t at = 0;
    for (const char* key : keys) {
        std::size_t found = content.find(std::string(key) + "\n", at);
        ASSERT_NE(found, std::string::npos) << key << " missing or out of order in\n" << content;
        at = found;
    }
    EXPECT_EQ(LoadSettings(ini).path, "/tmp/pic.jpg");
}

TEST(AppSettingsTest, DefaultColorsRoundTripInGroupOrder) {
    TempDir dir;
    IniFile ini = MakeIni(dir, "");
    ColorTable a{}, b{};
    for (int i = 0; i < 10; ++i) {
        a[i] = static_cast<ColorRef>(i + 1);
        b[i] = static_cast<ColorRef>(100 + i);
    }
    WriteDefaultColors(ini, a, b);
    const std::string content = ReadWholeFile(ini.Path()).value();
    EXPECT_LT(content.find("ColorX=10\n"), content.find("ColorBoldLine=100\n"));
    ColorTable ra{}, rb{};
    ReadDefaultColors(ini, ra, rb);
    EXPECT_EQ(ra, a);
    EXPECT_EQ(rb, b);
}

TEST(AppSettingsTest, VersionStampDecidesWhetherTheLayoutIsCurrent) {
    TempDir dir;
    IniFile ini = MakeIni(dir, "[Info]\nVersion=0.99/00.0000\n");
    EXPECT_FALSE(IsLayoutVersionCurrent(ini));
    WriteVersionStamp(ini);
    EXPECT_TRUE(IsLayoutVersionCurrent(ini));
}

TEST(AppSettingsTest, IniPathIsBesideTheProgramOnlyWhenWritable) {
    TempDir dir;
    EXPECT_EQ(DefaultIniPath(dir.Path()), dir.Path() + "/Tessemar.INI");
    setenv("XDG_CONFIG_HOME", (dir.Path() + "/config").c_str(), 1);
    EXPECT_EQ(DefaultIniPath(dir.Path() + "/missing"), dir.Path() + "/config/Tessemar/Tessemar.INI");
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tessemar
