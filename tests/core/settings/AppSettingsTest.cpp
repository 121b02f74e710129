#include "core/settings/AppSettings.h"

#include "core/io/FileUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tessemar {
namespace {

IniFile MakeIni(const TempDir& dir, const std::string& content) {
    const std::string path = dir.File("Tessemar.INI");
    std::ofstream(path, std::ios::binary) << content;
    return IniFile(path);
}

TEST(AppSettingsTest, FreshInstallationGivesEveryDefault) {
    TempDir dir;
    AppSettings s = LoadSettings(IniFile(dir.File("none.INI")), SystemColors{111, 222});
    EXPECT_EQ(s.recentFileCount, 10);
    EXPECT_EQ(s.backDrawMode, 1);
    EXPECT_EQ(s.boldLine, 1);
    EXPECT_EQ(s.tool, 0);
    EXPECT_EQ(s.color, 1);
    EXPECT_EQ(s.registerFileType, 0);
    EXPECT_EQ(s.editKeyUp, 87);
    EXPECT_EQ(s.editKeyRight, 68);
    EXPECT_EQ(s.marginLeft, 1250);
    EXPECT_EQ(s.marginTop, 1000);
    EXPECT_EQ(s.zoom, 300);
    EXPECT_EQ(s.brush, 2);
    EXPECT_EQ(s.wallpaperColor1, 111u);
    EXPECT_EQ(s.wallpaperColor2, 222u);
    EXPECT_EQ(s.direction, 1);
    EXPECT_EQ(s.path, "");
    EXPECT_EQ(s.updateView, 0);
    EXPECT_EQ(s.resultMode, 0);
}

TEST(AppSettingsTest, CorrectsOutOfRangeValuesOnReading) {
    struct Case {
        const char* key;
        const char* stored;
        int AppSettings::*field;
        int expected;
    } cases[] = {
        {"Tool", "7", &AppSettings::tool, 0},
        {"Tool", "-1", &AppSettings::tool, 0},
        {"Tool", "4", &AppSettings::tool, 4},
        {"Color", "9", &AppSettings::color, 1},
        {"Color", "0", &AppSettings::color, 1},
        {"Color", "8", &AppSettings::color, 8},
        {"RecentFileCount", "0", &AppSettings::recentFileCount, 10},
        {"RecentFileCount", "17", &AppSettings::recentFileCount, 10},
        {"RecentFileCount", "-3", &AppSettings::recentFileCount, 10},
        {"RecentFileCount", "16", &AppSettings::recentFileCount, 16},
        {"RecentFileCount", "1", &AppSettings::recentFileCount, 1},
        {"BackDrawMode", "abc", &AppSettings::backDrawMode, 0},  // no correction: stays 0
        {"LastChildState", "9", &AppSettings::lastChildState, 9},
    };
    for (const Case& c : cases) {
        TempDir dir;
        AppSettings s = LoadSettings(MakeIni(dir, std::string("[Settings]\n") + c.key + "=" + c.stored + "\n"));
        EXPECT_EQ(s.*c.field, c.expected) << c.key << "=" << c.stored;
    }
    for (auto [stored, expected] : {std::pair{"5", 2}, {"-1", 2}, {"3", 3}, {"0", 0}}) {
        TempDir dir;
        EXPECT_EQ(LoadSettings(MakeIni(dir, std::string("[WallPaper]\nBrush=") + stored + "\n")).brush, expected)
            << stored;
    }
}

TEST(AppSettingsTest, EditKeysAreSixteenBit) {
    TempDir dir;
    AppSettings s = LoadSettings(MakeIni(dir, "[Key]\nEditKeyUp=65619\n"));
    EXPECT_EQ(s.editKeyUp, 83);
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
    std::vector<std::string> order;
    SaveSettings(ini, s, placement, [&](const IniFile& target) {
        order.push_back("dock");
        target.WriteInt("ToolBarState-Summary", "Bars", 8);
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
    EXPECT_EQ(order.size(), 1u);
    AppSettings back = LoadSettings(ini);
    EXPECT_EQ(back.recentFileCount, 5);
    EXPECT_EQ(back.tool, 3);
    EXPECT_EQ(back.path, "/tmp/pic.jpg");
    EXPECT_EQ(back.wallpaperColor1, 0x123456u);
}

TEST(AppSettingsTest, MaximizedCloseKeepsTheOldRectangle) {
    TempDir dir;
    IniFile ini = MakeIni(dir, "[MainFrame]\nLeft=1\nTop=2\nRight=3\nBottom=4\nZoomed=0\n");
    SaveSettings(ini, AppSettings{}, MainFramePlacement{true, false, 50, 60, 70, 80});
    MainFramePlacement p = ReadMainFramePlacement(ini);
    EXPECT_TRUE(p.zoomed);
    EXPECT_EQ(p.left, 1);
    EXPECT_EQ(p.top, 2);
    EXPECT_EQ(p.right, 3);
    EXPECT_EQ(p.bottom, 4);
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
    EXPECT_EQ(content.find("ColorBackground=1\nColor1=2\n"), content.find("ColorBackground"));
    EXPECT_LT(content.find("ColorX=10\n"), content.find("ColorBoldLine=100\n"));
    EXPECT_LT(content.find("ColorShadow8=108\n"), content.find("ColorLine=109\n"));
    ColorTable ra{}, rb{};
    ReadDefaultColors(ini, ra, rb);
    EXPECT_EQ(ra, a);
    EXPECT_EQ(rb, b);
}

TEST(AppSettingsTest, DocumentDefaultsFollowSectionDefault) {
    TempDir dir;
    DocumentDefaults fresh = ReadDocumentDefaults(IniFile(dir.File("none.INI")));
    EXPECT_EQ(fresh.columnCount, 15);
    EXPECT_EQ(fresh.rowCount, 15);
    EXPECT_EQ(fresh.cellSize, 17);
    EXPECT_EQ(fresh.fontFaceName, "Arial");
    EXPECT_EQ(fresh.fontWeight, 700);
    EXPECT_EQ(fresh.title, "Untitled");
    EXPECT_EQ(fresh.colors, kDefaultColors);
    EXPECT_EQ(fresh.shadowColors, kDefaultShadowColors);

    // "Row" is the number of columns and "Col" the number of rows.
    DocumentDefaults d = ReadDocumentDefaults(MakeIni(dir, "[Default]\nRow=30\nCol=20\nColor3=5\nTitle=Cat\n"));
    EXPECT_EQ(d.columnCount, 30);
    EXPECT_EQ(d.rowCount, 20);
    EXPECT_EQ(d.colors[3], 5u);
    EXPECT_EQ(d.title, "Cat");
}

TEST(AppSettingsTest, ShadowDefaultsAreTheColoursLessThirtyTwo) {
    for (int i = 1; i <= 8; ++i) {
        ColorRef c = kDefaultColors[i];
        EXPECT_EQ(kDefaultShadowColors[i], MakeColorRef(RedOf(c) - 32 < 0 ? 0 : RedOf(c) - 32,
                                                        GreenOf(c) - 32 < 0 ? 0 : GreenOf(c) - 32,
                                                        BlueOf(c) - 32 < 0 ? 0 : BlueOf(c) - 32))
            << i;
    }
}

TEST(AppSettingsTest, VersionStampDecidesWhetherTheLayoutIsCurrent) {
    EXPECT_EQ(FormatProductVersion(1, 35, 2, 422), "1.35/02.0422");
    EXPECT_EQ(FormatProductVersion(1, 0, 0, 0), "1.00/00.0000");
    TempDir dir;
    IniFile ini = MakeIni(dir, "");
    EXPECT_FALSE(IsLayoutVersionCurrent(ini));
    ini.WriteString("Info", "Version", "0.99/00.0000");
    EXPECT_FALSE(IsLayoutVersionCurrent(ini));
    WriteVersionStamp(ini);
    EXPECT_TRUE(IsLayoutVersionCurrent(ini));
}

TEST(AppSettingsTest, TextDialogRectangleRoundTrips) {
    TempDir dir;
    IniFile ini = MakeIni(dir, "");
    WindowRect fresh = ReadTextDialogRect(ini);
    EXPECT_EQ(fresh.left, 100);
    EXPECT_EQ(fresh.bottom, 480);
    WriteTextDialogRect(ini, {5, 6, 700, 800});
    WindowRect back = ReadTextDialogRect(ini);
    EXPECT_EQ(back.left, 5);
    EXPECT_EQ(back.top, 6);
    EXPECT_EQ(back.right, 700);
    EXPECT_EQ(back.bottom, 800);
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
