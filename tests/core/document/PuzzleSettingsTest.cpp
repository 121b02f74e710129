#include "core/document/CLogicDoc.h"

#include "EditingSupport.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

TEST(PuzzleSettingsTest, AutoShadowDarkensTheEightColoursOnly) {
    ColorTable colors = kDefaultColors;
    colors[1] = MakeColorRef(240, 16, 40);
    colors[2] = MakeColorRef(32, 31, 0);
    ColorTable shadows{};
    shadows[0] = MakeColorRef(1, 2, 3);
    shadows[9] = MakeColorRef(4, 5, 6);
    const ColorTable result = AutoShadow(colors, shadows);
    EXPECT_EQ(result[1], MakeColorRef(208, 0, 8));
    EXPECT_EQ(result[2], MakeColorRef(0, 0, 0));
    EXPECT_EQ(result[0], shadows[0]);
    EXPECT_EQ(result[9], shadows[9]);
    // The defaults were made by this very rule.
    EXPECT_EQ(AutoShadow(kDefaultColors, kDefaultShadowColors), kDefaultShadowColors);
}

TEST(PuzzleSettingsTest, ColoursAndFontMarkTheDocumentButAreNotUndoable) {
    struct Layouts : DocumentObserver {
        int count = 0;
        void OnLayoutChanged() override { ++count; }
    } layouts;
    auto doc = edit_test::MakeDoc(5, 5);
    doc->AddObserver(&layouts);
    ColorTable colors = kDefaultColors;
    colors[3] = MakeColorRef(1, 2, 3);
    doc->SetColorTables(colors, kDefaultShadowColors);
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    doc->SetNumberFont("Liberation Serif", 400);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(layouts.count, 2);
    EXPECT_TRUE(doc->UndoHistory().empty());
}

}  // namespace
}  // namespace tessemar
