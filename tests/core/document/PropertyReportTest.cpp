#include "core/document/PropertyReport.h"
#include "support/ModelSetup.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace tessemar {
namespace {

using text::Language;

TEST(PropertyReportTest, NewDocumentReportInEnglish) {
    auto doc = std::make_unique<CLogicDoc>();
    doc->SetTitle("Logic1");
    EXPECT_EQ(BuildPropertyReport(*doc, Language::English),
              "File Name: Logic1\r\nFile Path: \r\nFile Format: TESSEMAR 1.00 Normal Logic\r\n"
              "File Size: 267 bytes\r\n\r\nTitle: Untitled\r\nSize: 15 x 15\r\nUsed Color(Number): 0\r\n"
              "Used Color(Picture): 0\r\nUsed Color(Total): 0\r\n"
              "Background Color(RGB): #FFFFFF (255, 255, 255)\r\nUsed Color(RGB):\r\n"
              "Size of box: 16 pixel\r\nFont: Arial (BOLD)\r\n");
}

TEST(PropertyReportTest, ColourCountsAndList) {
    struct Case {
        const char* what;
        std::vector<std::tuple<int, int, int>> cells;            // x, y, value
        std::vector<std::tuple<int, int, int, int, int>> slots;  // side, i, j, number, colour
        int numbers, picture, total;
        const char* kind;
        const char* list;
    } cases[] = {
        {"one colour in picture and clues", {{0, 0, 1}}, {{SideRow, 0, 0, 1, 1}}, 1, 1, 1,
         "Normal Logic", "\r\n        Color1 #303030 (48, 48, 48)"},
        {"colour only in the clues", {{0, 0, 1}}, {{SideColumn, 3, 0, 2, 4}}, 1, 1, 2, "Color Logic",
         "\r\n        Color1 #303030 (48, 48, 48)\r\n        Color4 #0000F0 (0, 0, 240)"},
        {"X marks and colours outside the size are no colour", {{2, 2, kCellX}, {20, 20, 5}},
         {{SideRow, 20, 0, 1, 6}}, 0, 0, 0, "Normal Logic", ""},
    };
    for (const Case& c : cases) {
        auto doc = std::make_unique<CLogicDoc>();
        for (auto [x, y, value] : c.cells) LoadCell(*doc, x, y, value);
        for (auto [side, i, j, number, colour] : c.slots) {
            doc->SetClueNumber(side, i, j, number, colour);
        }
        const std::string report = BuildPropertyReport(*doc, Language::English);
        EXPECT_NE(report.find("Used Color(Number): " + std::to_string(c.numbers) + "\r\n"), std::string::npos) << c.what;
        EXPECT_NE(report.find("Used Color(Picture): " + std::to_string(c.picture) + "\r\n"), std::string::npos) << c.what;
        EXPECT_NE(report.find("Used Color(Total): " + std::to_string(c.total) + "\r\n"), std::string::npos) << c.what;
        EXPECT_NE(report.find(std::string("1.00 ") + c.kind + "\r\n"), std::string::npos) << c.what;
        EXPECT_NE(report.find(std::string("Used Color(RGB):") + c.list + "\r\nSize of box"), std::string::npos)
            << c.what << "\n" << report;
    }
}

TEST(PropertyReportTest, FontWeightText) {
    for (auto [weight, expected] : {std::pair{400, "(NORMAL)"}, {700, "(BOLD)"}, {900, "(NORMAL)"}}) {
        auto doc = std::make_unique<CLogicDoc>(DocumentDefaults{.fontWeight = weight});
        EXPECT_NE(BuildPropertyReport(*doc, Language::English).find(expected), std::string::npos) << weight;
    }
}

TEST(PropertyReportTest, JapaneseReport) {
    auto doc = std::make_unique<CLogicDoc>();
    LoadCell(*doc, 0, 0, 2);
    LoadCell(*doc, 1, 0, 3);
    doc->SetTitle("Logic1");
    const std::string report = BuildPropertyReport(*doc, Language::Japanese);
    EXPECT_TRUE(report.starts_with("ファイル名： Logic1\r\nパス： \r\nファイル形式： TESSEMAR 1.00 カラーロジック\r\n"
                                   "ファイルサイズ： 267バイト\r\n"))
        << report;
}

}  // namespace
}  // namespace tessemar
